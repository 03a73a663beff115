#pragma once

#include "ui/KDFlatButton.h"
#include "ui/qt/KDQtHosted.h"

class TContraptionForm;

// The header button that drops the preset menu down under itself on a press of any mouse
// button, runs the chosen action on the contraption's slots and then shows the current preset
// number, or "--" for none.
class VTPresetButton : public KDQtHosted<KDFlatButton> {
public:
    VTPresetButton(TContraptionForm& form, QWidget* parent);

    // The caption for a current preset (-1 for none).
    static std::string captionFor(int currentPreset);

private:
    void pressed();

    TContraptionForm& form_;
    bool running_ = false;
};
