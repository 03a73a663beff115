#include "app/dialogs/modulation/TQuickMapMIDIForm.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/dialogs/modulation/VTMidiMappingPanel.h"
#include "document/VTDocument.h"

TQuickMapMIDIForm::TQuickMapMIDIForm(const VTModulationContext& context, QWidget* parent)
    : QDialog(parent),
      context_(context),
      panel_(new VTMidiMappingPanel(context, this)),
      okButton_(new QPushButton("OK", this)),
      cancelButton_(new QPushButton("Cancel", this)),
      secondLearn_(new QTimer(this)) {
    setObjectName("QuickMapMIDIForm");
    setWindowTitle("Quick-Map MIDI Controller");
    setModal(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 6);
    column->setSpacing(4);
    column->addWidget(panel_, 1);
    column->addLayout(buttons);
    okButton_->setDefault(true);

    secondLearn_->setSingleShot(true);
    secondLearn_->setInterval(kSecondLearnDelayMs);
    connect(secondLearn_, &QTimer::timeout, this, [this] { panel_->pressLearn(1); });
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(panel_, &VTMidiMappingPanel::sourceLearned, this, &TQuickMapMIDIForm::learned);
    connect(panel_, &VTMidiMappingPanel::mappingChanged, this, &TQuickMapMIDIForm::markModified);
    connect(panel_, &VTMidiMappingPanel::learnPressedByHand, this, [this] {
        automatic_ = false;
        secondLearn_->stop();
    });
}

TQuickMapMIDIForm::~TQuickMapMIDIForm() = default;

void TQuickMapMIDIForm::setParameter(const VTMappedParameter& parameter) {
    panel_->setParameter(parameter);
    setFixedSize(360, panel_->hasTwoGroups() ? kTwoGroupsHeight : kOneGroupHeight);
}

void TQuickMapMIDIForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    automatic_ = false;
    panel_->updateLearnAvailability();
    panel_->pressLearn(0);
    automatic_ = panel_->learningGroup() == 0;
}

void TQuickMapMIDIForm::hideEvent(QHideEvent* event) {
    secondLearn_->stop();
    automatic_ = false;
    panel_->releaseLearn();
    QDialog::hideEvent(event);
}

void TQuickMapMIDIForm::learned(int which) {
    if (!automatic_) return;
    if (which == 0 && panel_->hasTwoGroups()) {
        secondLearn_->start();
        return;
    }
    accept();
}

void TQuickMapMIDIForm::markModified() {
    if (VTDocument* document = context_.document ? context_.document() : nullptr)
        document->SetModified();
}
