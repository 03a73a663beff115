#pragma once

#include "editors/TSliderRowsForm.h"

class QCheckBox;
class VTFilePanel;

// "LoopPlayer": the loop's sound file, whether it is stretched to the bars or plays at its own
// speed, the mute switch, how many bars the loop lasts and its phase in semiquavers.
class TLoopPlayerForm : public TSliderRowsForm {
public:
    explicit TLoopPlayerForm(VTContraption& contraption);

    VTFilePanel& FilePanel() const { return *file_; }
    QCheckBox& StretchCheckBox() const { return *stretch_; }
    QCheckBox& MuteCheckBox() const { return *mute_; }
    KDNumberEdit& BarsEdit() const { return *bars_; }
    KDNumberEdit& PhaseEdit() const { return *phase_; }

private:
    VTFilePanel* file_;
    QCheckBox* stretch_;
    QCheckBox* mute_;
    KDNumberEdit* bars_;
    KDNumberEdit* phase_;
};
