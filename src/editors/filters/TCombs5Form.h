#pragma once

#include "editors/TContraptionForm.h"
#include "ui/KDDWSlider.h"
#include "ui/qt/KDQtHosted.h"

class QLabel;
class QLineEdit;
class SGProperty;

// "5Combs": a row per comb with its frequency (a slider, a field to type it in and the nearest
// note, which opens the note picker), its reverberation time and its gain; and the gain of the
// input into all five.
class TCombs5Form : public TContraptionForm {
public:
    static constexpr int kCombs = 5;

    explicit TCombs5Form(VTContraption& contraption);

    KDDWSlider& FrequencySlider(int n) const { return frequency_[n]->control(); }
    KDDWSlider& ReverbTimeSlider(int n) const { return reverbTime_[n]->control(); }
    KDDWSlider& GainSlider(int n) const { return gain_[n]->control(); }
    KDDWSlider& MasterGainSlider() const { return master_->control(); }
    QLineEdit& FrequencyField(int n) const { return *field_[n]; }
    QLabel& NotePanel(int n) const { return *note_[n]; }

    // The user typed in comb n's frequency field.
    void FrequencyFieldChanged(int n);

    // A frequency as the fields show it: cut two digits after the point, or with ".00" added.
    static QString twoDecimals(double frequency);
    // The nearest note of a frequency, and a note's frequency.
    static int nearestNote(double frequency);
    static double noteFrequency(int note);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showFrequency(int n);
    void showNote(int n, double frequency);
    void pickNote(int n, QPoint globalPosition);
    // The frequency typed or picked, within the slider's range: set everywhere but the field.
    void takeFrequency(int n, double frequency);

    KDQtHosted<KDDWSlider>* frequency_[kCombs];
    KDQtHosted<KDDWSlider>* reverbTime_[kCombs];
    KDQtHosted<KDDWSlider>* gain_[kCombs];
    KDQtHosted<KDDWSlider>* master_;
    QLineEdit* field_[kCombs];
    QLabel* note_[kCombs];
    SGProperty* frequencyProperty_[kCombs];
};
