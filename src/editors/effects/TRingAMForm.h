#pragma once

#include "editors/TContraptionForm.h"
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
    QRadioButton& RingModRadioButton() const { return *ringMod_; }
    QRadioButton& AMRadioButton() const { return *am_; }

private:
    // "AM" changed from anywhere: AM is checked when it is true, Ring Mod otherwise.
    void showMode();
    void modeClicked(bool am);

    KDQtHosted<KDDWKnob>* frequency_;
    QRadioButton* ringMod_;
    QRadioButton* am_;
    SGProperty* amProperty_;
};
