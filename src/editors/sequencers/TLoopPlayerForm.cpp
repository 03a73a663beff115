#include "editors/sequencers/TLoopPlayerForm.h"

#include "editors/VTFilePanel.h"

TLoopPlayerForm::TLoopPlayerForm(VTContraption& contraption) : TSliderRowsForm(contraption) {
    setWindowTitle("Loop Player");
    file_ = new VTFilePanel(*this, clientArea());
    placeControl(file_, nextRow("File:").adjusted(0, 0, 80, 0));
    bars_ = &addNumberField("Bars:", "BarCount");
    phase_ = &addNumberField("Phase:", "Phase");
    // The parameters carry no range of their own; these are the lengths and offsets that make
    // sense for a loop.
    bars_->SetMin(1);
    bars_->SetMax(32);
    phase_->SetMin(-512);
    phase_->SetMax(512);
    stretch_ = &addCheckBox("Stretch");
    bindCheckBox(*stretch_, "Stretch");
    mute_ = &addCheckBox("Mute");
    bindCheckBox(*mute_, "Mute");
    // The file panel is wider than a row's control.
    setClientSize(clientArea()->width() + 80, clientArea()->height());
}
