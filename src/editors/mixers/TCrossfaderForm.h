#pragma once

#include "editors/mixers/TMixerForm.h"
#include "ui/KDDWSlider.h"

// "Crossfader": the master knob, the trim of side A (inlets 1 & 2), a horizontal fader from A
// to B and the trim of side B (inlets 3 & 4).
class TCrossfaderForm : public TMixerForm {
public:
    static constexpr int kFaderWidth = 144;

    explicit TCrossfaderForm(VTContraption& contraption);

    KDDWKnob& Knob1() const { return trimA_->control(); }
    KDDWKnob& Knob2() const { return trimB_->control(); }
    KDDWSlider& Fader() const { return fader_->control(); }
    QWidget& Knob1Widget() const { return *trimA_; }
    QWidget& Knob2Widget() const { return *trimB_; }
    QWidget& FaderWidget() const { return *fader_; }

private:
    HostedKnob* trimA_;
    HostedKnob* trimB_;
    KDQtHosted<KDDWSlider>* fader_;
};
