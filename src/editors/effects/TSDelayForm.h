#pragma once

#include "editors/TContraptionForm.h"
#include "ui/KDDWKnob.h"
#include "ui/KDNumberEdit.h"
#include "ui/qt/KDQtHosted.h"

class QComboBox;
class SGProperty;
class VTSDelay;

// "SDelay": the unit of the two delay times (milliseconds or semiquavers of the tempo), the left
// and right times, the feedback and the wet/dry mix. Choosing the other unit converts both
// times at the present tempo, so the echo stays where it was.
class TSDelayForm : public TContraptionForm {
public:
    enum Units { Milliseconds = 0, Semiquavers = 1 };

    explicit TSDelayForm(VTContraption& contraption);

    QComboBox& UnitsList() const { return *units_; }
    KDNumberEdit& LeftEdit() const { return left_->control(); }
    KDNumberEdit& RightEdit() const { return right_->control(); }
    KDDWKnob& FeedbackKnob() const { return feedback_->control(); }
    KDDWKnob& WetDryKnob() const { return wetDry_->control(); }
    QWidget& FeedbackKnobWidget() const { return *feedback_; }

    // The user chose a unit in the list.
    void UnitsChosen(int units);

private:
    // "DelayUnits" changed from anywhere: the list shows it and the fields take its limits.
    void showUnits();
    // A delay converted to the other unit at the present tempo.
    int converted(int delay, int toUnits) const;

    QComboBox* units_;
    KDQtHosted<KDNumberEdit>* left_;
    KDQtHosted<KDNumberEdit>* right_;
    KDQtHosted<KDDWKnob>* feedback_;
    KDQtHosted<KDDWKnob>* wetDry_;
    SGProperty* unitsProperty_;
    SGProperty* leftProperty_;
    SGProperty* rightProperty_;
};
