#include "editors/generators/TTestGenForm.h"

#include <QButtonGroup>
#include <QRadioButton>

#include "contraptions/VTContraption.h"
#include "editors/VTPropertyControlBinding.h"
#include "editors/VTPropertyValue.h"

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

    sine_ = new QRadioButton("Sine", client);
    sine_->move(64, 40);
    noise_ = new QRadioButton("Noise", client);
    noise_->move(118, 40);
    sine_->setChecked(true);
    group_ = new QButtonGroup(this);
    group_->addButton(sine_);
    group_->addButton(noise_);
    // clicked comes from the user only; the buttons set by showWaveform stay silent.
    QObject::connect(sine_, &QRadioButton::clicked, this, [this] { SineRadioButtonClick(); });
    QObject::connect(noise_, &QRadioButton::clicked, this, [this] { SineRadioButtonClick(); });

    setClientSize(182, 73);

    bindKnob(VolumeKnob(), "Amplitude");
    bindNumberEdit(FrequencyEdit(), "Frequency");
    waveform_ = &bindNotify([this] { showWaveform(); }, "Waveform").property;
}

void TTestGenForm::showWaveform() {
    const double waveform = VTPropertyValue::get(*waveform_);
    // A stored value other than 0 and 1 (noise too) leaves both buttons clear, which an
    // exclusive group would not allow.
    group_->setExclusive(false);
    sine_->setChecked(waveform == 1.0);
    noise_->setChecked(waveform == 0.0);
    group_->setExclusive(true);
}

void TTestGenForm::SineRadioButtonClick() {
    VTPropertyValue::set(*waveform_, sine_->isChecked() ? 1.0 : 0.0);
    userEdited();
}
