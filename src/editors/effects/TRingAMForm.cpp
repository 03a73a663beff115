#include "editors/effects/TRingAMForm.h"

#include "editors/VTPropertyControlBinding.h"
#include "editors/VTPropertyValue.h"
#include "editors/VTRadioPair.h"

TRingAMForm::TRingAMForm(VTContraption& contraption) : TContraptionForm(contraption) {
    setWindowTitle("RingAM");
    QWidget* client = clientArea();

    frequency_ = new KDQtHosted<KDDWKnob>(client);
    frequency_->setGeometry(14, 6, 40, 40);
    addLabel("Frequency", 4, 50, 60, Qt::AlignHCenter);

    mode_ = std::make_unique<VTRadioPair>(client, "Ring Mod", QPoint(72, 10), "AM", QPoint(72, 34),
                                          [this](int which) { modeClicked(which == 1); });

    setClientSize(160, 70);
    bindKnob(FrequencyKnob(), "Frequency");
    amProperty_ = &bindNotify([this] { showMode(); }, "AM").property;
}

void TRingAMForm::showMode() { mode_->show(VTPropertyValue::get(*amProperty_) != 0.0 ? 1 : 0); }

void TRingAMForm::modeClicked(bool am) {
    VTPropertyValue::set(*amProperty_, am ? 1.0 : 0.0);
    userEdited();
}
