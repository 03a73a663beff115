#pragma once

#include <memory>

#include "editors/TContraptionForm.h"
#include "editors/VTRadioPair.h"
#include "ui/KDDWKnob.h"
#include "ui/qt/KDQtHosted.h"

class QRadioButton;
class SGProperty;

// "RingAM": the modulating oscillator's frequency, and a choice between ring modulation and
// amplitude modulation.
class TRingAMForm : public TContraptionForm {
public:
    explicit TRingAMForm(VTContraption& contraption);

    KDDWKnob& FrequencyKnob() const { return frequency_->control(); }
    QWidget& FrequencyKnobWidget() const { return *frequency_; }
    QRadioButton& RingModRadioButton() const { return mode_->button(0); }
    QRadioButton& AMRadioButton() const { return mode_->button(1); }

private:
    // "AM" changed from anywhere: AM is checked when it is true, Ring Mod otherwise.
    void showMode();
    void modeClicked(bool am);

    KDQtHosted<KDDWKnob>* frequency_;
    std::unique_ptr<VTRadioPair> mode_;
    SGProperty* amProperty_;
};
