#include "app/dialogs/modulation/VTMidiSourceGroup.h"

#include <algorithm>

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "app/dialogs/modulation/VTMidiSourceChoice.h"

VTMidiSourceGroup::VTMidiSourceGroup(QWidget* parent)
    : QGroupBox("MIDI Control Source", parent),
      typeList_(new QComboBox(this)),
      channelList_(new QComboBox(this)),
      numberField_(new QSpinBox(this)),
      quickMapButton_(new QPushButton("Quick-Map", this)) {
    typeList_->setObjectName("ControllerList");
    channelList_->setObjectName("ChannelList");
    numberField_->setObjectName("NumberField");
    quickMapButton_->setObjectName("QuickMapButton");
    for (const char* name : VTMidiSourceChoice::kTypeNames) typeList_->addItem(name);
    for (int c = 1; c <= 16; ++c) channelList_->addItem(QString::number(c));
    quickMapButton_->setCheckable(true);

    // Two rows, so that a window with one group stays small.
    auto* grid = new QGridLayout(this);
    grid->setVerticalSpacing(4);
    grid->addWidget(new QLabel("Controller:", this), 0, 0);
    grid->addWidget(typeList_, 0, 1, 1, 4);
    grid->addWidget(new QLabel("Channel:", this), 1, 0);
    grid->addWidget(channelList_, 1, 1);
    grid->addWidget(new QLabel("Number:", this), 1, 2);
    grid->addWidget(numberField_, 1, 3);
    grid->addWidget(quickMapButton_, 1, 4);

    connect(typeList_, &QComboBox::currentIndexChanged, this, &VTMidiSourceGroup::typeChosen);
    connect(channelList_, &QComboBox::currentIndexChanged, this, [this] { reportEdit(); });
    connect(numberField_, &QSpinBox::valueChanged, this, [this] { reportEdit(); });
    connect(quickMapButton_, &QPushButton::toggled, this, &VTMidiSourceGroup::learnToggled);
    showSource({});
}

void VTMidiSourceGroup::showSource(const VTMidiSource& source) {
    showing_ = true;
    typeList_->setCurrentIndex(VTMidiSourceChoice::entryOf(source.type));
    channelList_->setCurrentIndex(source.channel >= 0 && source.channel < 16 ? source.channel : 0);
    numberField_->setMaximum(VTMidiSourceChoice::numberMaximum(source.type));
    numberField_->setValue(source.number);
    enableFields();
    showing_ = false;
}

VTMidiSource VTMidiSourceGroup::shownSource() const {
    const auto entry = static_cast<std::size_t>(std::max(0, typeList_->currentIndex()));
    const std::uint8_t type = VTMidiSourceChoice::kTypes[entry];
    return {type, std::max(0, channelList_->currentIndex()),
            VTMidiSourceChoice::hasNumber(type) ? numberField_->value() : 0};
}

void VTMidiSourceGroup::typeChosen(int entry) {
    if (showing_ || entry < 0) return;
    // The number field still holds the number of the type before, which the new type adapts.
    VTMidiSource before = shownSource();
    before.number = numberField_->value();
    showSource(VTMidiSourceChoice::withType(
        before, VTMidiSourceChoice::kTypes[static_cast<std::size_t>(entry)]));
    reportEdit();
}

void VTMidiSourceGroup::reportEdit() {
    if (showing_) return;
    const VTMidiSource source = shownSource();
    Q_EMIT sourceEdited(source.type, source.channel, source.number);
}

void VTMidiSourceGroup::enableFields() {
    const std::uint8_t type = shownSource().type;
    numberField_->setEnabled(VTMidiSourceChoice::hasNumber(type));
    channelList_->setEnabled(VTMidiSourceChoice::hasChannel(type));
}

void VTMidiSourceGroup::setLearnAvailable(bool available) {
    quickMapButton_->setEnabled(available);
}

void VTMidiSourceGroup::setLearnPressed(bool pressed) {
    const QSignalBlocker quiet(quickMapButton_);
    quickMapButton_->setChecked(pressed);
}

bool VTMidiSourceGroup::learnPressed() const { return quickMapButton_->isChecked(); }
