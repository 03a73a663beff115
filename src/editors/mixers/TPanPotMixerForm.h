#pragma once

#include <vector>

#include "editors/mixers/TMixerForm.h"

// "P2Mixer" ... "P12Mixer": the master knob, then per channel a pan knob ("Pan_"n) in the upper
// row over a gain knob ("Gain_"n) in the lower row, each column numbered below.
class TPanPotMixerForm : public TMixerForm {
public:
    explicit TPanPotMixerForm(VTContraption& contraption);

    KDDWKnob& PanKnob(int n) const { return pans_[n]->control(); }
    KDDWKnob& GainKnob(int n) const { return gains_[n]->control(); }
    QWidget& PanKnobWidget(int n) const { return *pans_[n]; }
    QWidget& GainKnobWidget(int n) const { return *gains_[n]; }
    QLabel& Label(int n) const { return *labels_[n]; }

private:
    std::vector<HostedKnob*> pans_;
    std::vector<HostedKnob*> gains_;
    std::vector<QLabel*> labels_;
};
