#pragma once

#include "editors/TContraptionForm.h"
#include "editors/generators/VTHarmonicsPicture.h"
#include "ui/KDDWSlider.h"
#include "ui/qt/KDQtHosted.h"

class QLineEdit;
class SGProperty;

// "10Harmonics": the fundamental's frequency (a slider and a field to type it in), the output
// gain, ten harmonic amplitudes, and a picture of one period of the waveform they make.
class TAdditive10Form : public TContraptionForm {
public:
    static constexpr int kHarmonics = VTHarmonicsPicture::kHarmonics;

    explicit TAdditive10Form(VTContraption& contraption);

    KDDWSlider& FrequencySlider() const { return frequency_->control(); }
    KDDWSlider& GainSlider() const { return gain_->control(); }
    KDDWSlider& AmpSlider(int k) const { return amps_[k]->control(); }
    QWidget& AmpSliderWidget(int k) const { return *amps_[k]; }
    QLineEdit& FrequencyField() const { return *field_; }
    VTHarmonicsPicture& Picture() const { return *picture_; }

    // The user typed in the frequency field.
    void FrequencyFieldChanged();

private:
    void showFrequency();
    void drawWaveform();
    static KDQtHosted<KDDWSlider>* verticalSlider(QWidget* parent, int x, int y, int height);

    KDQtHosted<KDDWSlider>* frequency_;
    KDQtHosted<KDDWSlider>* gain_;
    KDQtHosted<KDDWSlider>* amps_[kHarmonics];
    QLineEdit* field_;
    VTHarmonicsPicture* picture_;
    SGProperty* frequencyProperty_;
    SGProperty* ampProperties_[kHarmonics];
};
