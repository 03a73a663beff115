#include "editors/effects/TSDelayForm.h"

#include <QComboBox>
#include <QLabel>
#include <algorithm>
#include <cmath>

#include "contraptions/VTContraption.h"
#include "editors/VTPropertyControlBinding.h"
#include "editors/VTPropertyValue.h"
#include "library/effects/VTSDelay.h"

namespace {

// What the fields accept in each unit.
struct Limits {
    int min, max;
};
constexpr Limits kLimits[] = {{20, 2000}, {1, 32}};

constexpr int kKnobSize = 35;

}  // namespace

TSDelayForm::TSDelayForm(VTContraption& contraption) : TContraptionForm(contraption) {
    setWindowTitle("Stereo Delay");
    QWidget* client = clientArea();

    addLabel("Delay units:", 8, 8, 70)->setFixedHeight(22);
    units_ = new QComboBox(client);
    units_->addItems({"Milliseconds", "Semiquavers"});
    units_->setGeometry(80, 8, 110, 22);
    QObject::connect(units_, &QComboBox::activated, this, [this](int i) { UnitsChosen(i); });

    auto addField = [&](const char* caption, int top) {
        addLabel(caption, 8, top, 70)->setFixedHeight(21);
        auto* edit = new KDQtHosted<KDNumberEdit>(client);
        edit->setGeometry(80, top, 70, 21);
        edit->control().SetAutoIncrement(false);
        edit->control().SetIncrement(1.0);
        edit->control().SetIntegersOnly(true);
        return edit;
    };
    left_ = addField("Left:", 38);
    right_ = addField("Right:", 64);

    auto addKnob = [&](const char* caption, int left) {
        auto* knob = new KDQtHosted<KDDWKnob>(client);
        knob->setGeometry(left, 94, kKnobSize, kKnobSize);
        addLabel(caption, left - 14, 94 + kKnobSize + 2, kKnobSize + 28, Qt::AlignHCenter);
        return knob;
    };
    feedback_ = addKnob("Feedback", 40);
    wetDry_ = addKnob("Wet/Dry mix", 120);
    setClientSize(200, 94 + kKnobSize + 22);

    unitsProperty_ = &bindNotify([this] { showUnits(); }, "DelayUnits").property;
    leftProperty_ = &bindNumberEdit(LeftEdit(), "LeftDelay").property;
    rightProperty_ = &bindNumberEdit(RightEdit(), "RightDelay").property;
    bindKnob(FeedbackKnob(), "Feedback");
    bindKnob(WetDryKnob(), "WetDryMix");
}

void TSDelayForm::showUnits() {
    const int units =
        VTPropertyValue::get(*unitsProperty_) == Semiquavers ? Semiquavers : Milliseconds;
    units_->setCurrentIndex(units);
    for (KDNumberEdit* edit : {&LeftEdit(), &RightEdit()}) {
        // Raise the top first, so the new range never passes through an empty one.
        edit->SetMax(std::max(edit->Max(), double(kLimits[units].max)));
        edit->SetMin(kLimits[units].min);
        edit->SetMax(kLimits[units].max);
    }
}

int TSDelayForm::converted(int delay, int toUnits) const {
    auto* delayProcessor = dynamic_cast<VTSDelay*>(&contraption().processor());
    if (!delayProcessor) return delay;
    const double m = VTSDelay::msPerSemiquaver(delayProcessor->samplesPerTick());
    if (toUnits == Milliseconds) return int(std::trunc(delay * m));
    return std::max(1, int(std::trunc((delay + 1) / m)));
}

void TSDelayForm::UnitsChosen(int units) {
    if (units == int(VTPropertyValue::get(*unitsProperty_))) return;
    for (SGProperty* delay : {leftProperty_, rightProperty_})
        VTPropertyValue::set(*delay, converted(int(VTPropertyValue::get(*delay)), units));
    VTPropertyValue::set(*unitsProperty_, units);
    refreshAll(true);
    userEdited();
}
