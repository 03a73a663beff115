#include "editors/generators/TTestGenForm.h"

#include <QRadioButton>

#include "contraptions/VTContraption.h"
#include "editors/VTPropertyControlBinding.h"
#include "editors/VTPropertyValue.h"
#include "editors/VTRadioPair.h"

TTestGenForm::TTestGenForm(VTContraption& contraption) : TContraptionForm(contraption) {
    setWindowTitle("Test Signal Generator");
    QWidget* client = clientArea();

    volume_ = new KDQtHosted<KDDWKnob>(client);
    volume_->setGeometry(10, 6, 40, 40);
    addLabel("Volume", 8, 50, 48, Qt::AlignHCenter);

    frequency_ = new KDQtHosted<KDNumberEdit>(client);
    frequency_->setGeometry(64, 8, 80, 21);
    FrequencyEdit().SetAutoIncrement(false);
    FrequencyEdit().SetIncrement(1.0);
    addLabel("(Hz)", 148, 11);

    waveformButtons_ =
        std::make_unique<VTRadioPair>(client, "Sine", QPoint(64, 40), "Noise", QPoint(118, 40),
                                      [this](int) { SineRadioButtonClick(); });

    setClientSize(182, 73);

    bindKnob(VolumeKnob(), "Amplitude");
    bindNumberEdit(FrequencyEdit(), "Frequency");
    waveform_ = &bindNotify([this] { showWaveform(); }, "Waveform").property;
}

void TTestGenForm::showWaveform() {
    // A stored value other than 1 (sine) and 0 (noise) leaves both buttons clear.
    const double waveform = VTPropertyValue::get(*waveform_);
    waveformButtons_->show(waveform == 1.0 ? 0 : waveform == 0.0 ? 1 : -1);
}

void TTestGenForm::SineRadioButtonClick() {
    VTPropertyValue::set(*waveform_, SineRadioButton().isChecked() ? 1.0 : 0.0);
    userEdited();
}
