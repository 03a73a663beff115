#include "editors/generators/TAdditive10Form.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <string>

#include "editors/VTPropertyControlBinding.h"
#include "editors/VTPropertyValue.h"

namespace {

constexpr int kAmplitudes = 1;  // the notifier of the ten amplitude sliders
constexpr int kSliderTop = 26;
constexpr int kSliderHeight = 110;

}  // namespace

KDQtHosted<KDDWSlider>* TAdditive10Form::verticalSlider(QWidget* parent, int x, int y, int height) {
    auto* slider = new KDQtHosted<KDDWSlider>(parent);
    slider->setGeometry(x, y, 22, height);
    return slider;
}

TAdditive10Form::TAdditive10Form(VTContraption& contraption) : TContraptionForm(contraption) {
    setWindowTitle("10 Harmonics");
    QWidget* client = clientArea();

    addLabel("Frequency", 4, 6, 60, Qt::AlignHCenter);
    frequency_ = verticalSlider(client, 23, kSliderTop, kSliderHeight);
    field_ = new QLineEdit(client);
    field_->setGeometry(6, kSliderTop + kSliderHeight + 6, 56, 21);
    QObject::connect(field_, &QLineEdit::textEdited, this, [this] { FrequencyFieldChanged(); });

    addLabel("Waveform", 74, 6);
    picture_ = new VTHarmonicsPicture(160, kSliderHeight, client);
    picture_->move(74, kSliderTop);

    addLabel("Gain", 240, 6, 40, Qt::AlignHCenter);
    gain_ = verticalSlider(client, 249, kSliderTop, kSliderHeight);

    auto* group = new QGroupBox("Harmonic Amplitudes", client);
    group->setGeometry(290, 2, 10 * 26 + 12, kSliderTop + kSliderHeight + 30);
    for (int k = 0; k < kHarmonics; ++k) {
        const int x = 8 + 26 * k;
        amps_[k] = verticalSlider(group, x, kSliderTop - 4, kSliderHeight);
        auto* label = new QLabel(QString("f%1").arg(k + 1), group);
        label->setGeometry(x - 4, kSliderTop + kSliderHeight - 2, 30, 16);
        label->setAlignment(Qt::AlignHCenter);
    }
    setClientSize(group->geometry().right() + 8, kSliderTop + kSliderHeight + 34);

    frequencyProperty_ = &bindSlider(FrequencySlider(), "Frequency").property;
    bindNotify([this] { showFrequency(); }, "Frequency");
    bindSlider(GainSlider(), "Gain");
    for (int k = 0; k < kHarmonics; ++k)
        ampProperties_[k] =
            &bindSlider(AmpSlider(k), "Amp_" + std::to_string(k), kAmplitudes).property;
    addNotifier(kAmplitudes, [this] { drawWaveform(); });
}

void TAdditive10Form::showFrequency() {
    field_->setText(QString::number(VTPropertyValue::get(*frequencyProperty_), 'g', 15));
    field_->setPalette(QPalette());
}

void TAdditive10Form::FrequencyFieldChanged() {
    const QString text = field_->text().trimmed();
    if (text.isEmpty()) return;
    bool ok = false;
    const double v = text.toDouble(&ok);  // always with "." as the decimal point
    QPalette palette;
    if (!ok || v < FrequencySlider().Min() || v > FrequencySlider().Max()) {
        // Not a frequency the slider can take: shown grey, and nothing changes.
        palette.setColor(QPalette::Text, palette.color(QPalette::Disabled, QPalette::Text));
        field_->setPalette(palette);
        return;
    }
    field_->setPalette(palette);
    VTPropertyValue::set(*frequencyProperty_, v);
    // Only the slider follows: rewriting the field would disturb the typing.
    FrequencySlider().SetValue(v);
    userEdited();
}

void TAdditive10Form::drawWaveform() {
    std::array<float, kHarmonics> amplitudes{};
    for (int k = 0; k < kHarmonics; ++k)
        amplitudes[k] = float(VTPropertyValue::get(*ampProperties_[k]));
    picture_->draw(amplitudes);
}
