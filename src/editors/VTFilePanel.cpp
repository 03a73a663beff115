#include "editors/VTFilePanel.h"

#include <QLabel>
#include <QPushButton>

#include "editors/TContraptionForm.h"
#include "editors/VTPropertyControlBinding.h"
#include "editors/VTSoundFileChooser.h"
#include "params/SGCStringProperty.h"

namespace {

std::string textOf(SGProperty& property) {
    auto* text = dynamic_cast<SGCStringProperty*>(&property);
    return text && text->text() ? text->text() : "";
}

}  // namespace

VTFilePanel::VTFilePanel(TContraptionForm& form, QWidget* parent, const char* property)
    : QWidget(parent), form_(form) {
    button_ = new QPushButton("...", this);
    button_->setToolTip("Select a Soundfile...");
    button_->setGeometry(0, 0, 28, 24);
    panel_ = new QLabel(this);
    panel_->setFrameShape(QFrame::StyledPanel);
    panel_->setGeometry(32, 0, 228, 24);
    setFixedSize(260, 24);
    QObject::connect(button_, &QPushButton::clicked, this, [this] { chooseFile(); });
    file_ = &form_.bindNotify([this] { show(); }, property).property;
}

void VTFilePanel::chooseFile() {
    if (!VTSoundFileChooser::chooseInto(&form_, *file_)) return;
    show();
    form_.userEdited();
}

void VTFilePanel::show() { panel_->setText(VTSoundFileChooser::caption(textOf(*file_))); }
