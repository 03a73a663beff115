#pragma once

#include <memory>

#include "editors/TContraptionForm.h"
#include "editors/VTRadioPair.h"
#include "ui/KDDWKnob.h"
#include "ui/KDNumberEdit.h"
#include "ui/qt/KDQtHosted.h"

class QRadioButton;
class SGProperty;

// The test signal generator's editor: a volume knob, a frequency field and a choice between
// sine and noise.
class TTestGenForm : public TContraptionForm {
public:
    explicit TTestGenForm(VTContraption& contraption);

    KDDWKnob& VolumeKnob() const { return volume_->control(); }
    KDNumberEdit& FrequencyEdit() const { return frequency_->control(); }
    QWidget& VolumeKnobWidget() const { return *volume_; }
    QWidget& FrequencyEditWidget() const { return *frequency_; }
    QRadioButton& SineRadioButton() const { return waveformButtons_->button(0); }
    QRadioButton& NoiseRadioButton() const { return waveformButtons_->button(1); }

    // Either radio button clicked: Waveform becomes 1 for the sine, 0 for noise.
    void SineRadioButtonClick();

private:
    // Waveform changed from anywhere: the buttons show it.
    void showWaveform();

    KDQtHosted<KDDWKnob>* volume_;
    KDQtHosted<KDNumberEdit>* frequency_;
    std::unique_ptr<VTRadioPair> waveformButtons_;
    SGProperty* waveform_;
};
