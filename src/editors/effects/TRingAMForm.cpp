#include "editors/effects/TRingAMForm.h"

#include <QButtonGroup>
#include <QRadioButton>

#include "editors/VTPropertyControlBinding.h"
#include "editors/VTPropertyValue.h"

TRingAMForm::TRingAMForm(VTContraption& contraption) : TContraptionForm(contraption) {
    setWindowTitle("RingAM");
    QWidget* client = clientArea();

    frequency_ = new KDQtHosted<KDDWKnob>(client);
    frequency_->setGeometry(14, 6, 40, 40);
    addLabel("Frequency", 4, 50, 60, Qt::AlignHCenter);

    ringMod_ = new QRadioButton("Ring Mod", client);
    ringMod_->move(72, 10);
    am_ = new QRadioButton("AM", client);
    am_->move(72, 34);
    ringMod_->setChecked(true);
    auto* group = new QButtonGroup(this);
    group->addButton(ringMod_);
    group->addButton(am_);
    // clicked comes from the user only, never from showMode.
    QObject::connect(ringMod_, &QRadioButton::clicked, this, [this] { modeClicked(false); });
    QObject::connect(am_, &QRadioButton::clicked, this, [this] { modeClicked(true); });

    setClientSize(160, 70);
    bindKnob(FrequencyKnob(), "Frequency");
    amProperty_ = &bindNotify([this] { showMode(); }, "AM").property;
}

void TRingAMForm::showMode() {
    const bool am = VTPropertyValue::get(*amProperty_) != 0.0;
    am_->setChecked(am);
    ringMod_->setChecked(!am);
}

void TRingAMForm::modeClicked(bool am) {
    VTPropertyValue::set(*amProperty_, am ? 1.0 : 0.0);
    userEdited();
}
