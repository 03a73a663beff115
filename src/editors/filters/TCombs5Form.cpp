#include "editors/filters/TCombs5Form.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <cmath>
#include <string>

#include "editors/TPianoNotes.h"
#include "editors/VTDecimalText.h"
#include "editors/VTPropertyControlBinding.h"
#include "editors/VTPropertyValue.h"
#include "params/SGValueFormat.h"
#include "platform/VTMessageBox.h"

namespace {

constexpr int kTop = 22;
constexpr int kRowHeight = 28;
constexpr int kControlHeight = 22;
// Column lefts: row number, frequency slider, field, note, reverb time, gain.
constexpr int kFrequencyLeft = 22, kFrequencyWidth = 140;
constexpr int kFieldLeft = 166, kFieldWidth = 62;
constexpr int kNoteLeft = 232, kNoteWidth = 40;
constexpr int kReverbLeft = 280, kReverbWidth = 120;
constexpr int kGainLeft = 408, kGainWidth = 100;

QPalette greyText() {
    QPalette palette;
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Disabled, QPalette::WindowText));
    palette.setColor(QPalette::Text, palette.color(QPalette::Disabled, QPalette::Text));
    return palette;
}

KDQtHosted<KDDWSlider>* horizontalSlider(QWidget* parent, int left, int top, int width,
                                         KDSliderScale scale = scLinear) {
    auto* slider = new KDQtHosted<KDDWSlider>(parent);
    slider->control().SetOrientation(soHorizontal);
    slider->control().SetScale(scale);
    slider->setGeometry(left, top, width, kControlHeight);
    return slider;
}

}  // namespace

TCombs5Form::TCombs5Form(VTContraption& contraption) : TContraptionForm(contraption) {
    setWindowTitle("5 Combs");
    QWidget* client = clientArea();
    addLabel("Frequency:", kFrequencyLeft, 4);
    addLabel("Reverb time:", kReverbLeft, 4);
    addLabel("Gain:", kGainLeft, 4);
    for (int n = 0; n < kCombs; ++n) {
        const int top = kTop + kRowHeight * n;
        const std::string k = std::to_string(n);
        addLabel(QString::number(n + 1), 6, top, 12)->setFixedHeight(kControlHeight);
        frequency_[n] =
            horizontalSlider(client, kFrequencyLeft, top, kFrequencyWidth, scLogarithmic);
        field_[n] = new QLineEdit(client);
        field_[n]->setGeometry(kFieldLeft, top, kFieldWidth, kControlHeight);
        QObject::connect(field_[n], &QLineEdit::textEdited, this,
                         [this, n] { FrequencyFieldChanged(n); });
        note_[n] = addLabel("", kNoteLeft, top, kNoteWidth, Qt::AlignHCenter);
        note_[n]->setFixedHeight(kControlHeight);
        note_[n]->setFrameShape(QFrame::StyledPanel);
        note_[n]->installEventFilter(this);
        reverbTime_[n] = horizontalSlider(client, kReverbLeft, top, kReverbWidth);
        gain_[n] = horizontalSlider(client, kGainLeft, top, kGainWidth);

        frequencyProperty_[n] = &bindSlider(FrequencySlider(n), "Frequency_" + k).property;
        bindNotify([this, n] { showFrequency(n); }, "Frequency_" + k);
        bindSlider(ReverbTimeSlider(n), "ReverbTime_" + k);
        bindSlider(GainSlider(n), "Gain_" + k);
    }
    const int masterTop = kTop + kRowHeight * kCombs + 6;
    addLabel("Master Gain:", kFrequencyLeft, masterTop)->setFixedHeight(kControlHeight);
    master_ = horizontalSlider(client, kFieldLeft, masterTop, kFrequencyWidth);
    bindSlider(MasterGainSlider(), "InputGain");
    setClientSize(kGainLeft + kGainWidth + 8, masterTop + kRowHeight + 4);
}

QString TCombs5Form::twoDecimals(double frequency) { return twoDecimalsText(frequency); }

int TCombs5Form::nearestNote(double frequency) {
    return int(std::trunc((std::log2(frequency * 0.9784975170625504) - 3) * 12 + 0.5));
}

double TCombs5Form::noteFrequency(int note) { return 8 * 1.021975 * std::pow(2.0, note / 12.0); }

void TCombs5Form::showFrequency(int n) {
    const double f = VTPropertyValue::get(*frequencyProperty_[n]);
    field_[n]->setText(twoDecimals(f));
    field_[n]->setPalette(QPalette());
    showNote(n, f);
}

void TCombs5Form::showNote(int n, double frequency) {
    const int note = nearestNote(frequency);
    note_[n]->setText(QString::fromStdString(SGValueFormat::noteName(note)));
    // In tune within 0.05 %: the name in the normal colour, else grey.
    const double tuned = noteFrequency(note);
    const bool inTune = std::abs(frequency - tuned) <= tuned * 0.0005;
    note_[n]->setPalette(inTune ? QPalette() : greyText());
}

void TCombs5Form::FrequencyFieldChanged(int n) {
    const QString text = field_[n]->text();
    if (text.trimmed().isEmpty()) return;
    bool ok = false;
    const double f = text.trimmed().toDouble(&ok);  // always with "." as the decimal point
    if (!ok) {
        const QString message = QString("'%1' is not a valid floating point value").arg(text);
        VTMessageBox::show(message.toStdString(), "Vantrel", VTMessageButtons::Ok,
                           VTMessageIcon::Stop);
        return;
    }
    if (f < FrequencySlider(n).Min() || f > FrequencySlider(n).Max()) {
        field_[n]->setPalette(greyText());
        return;
    }
    field_[n]->setPalette(QPalette());
    takeFrequency(n, f);
}

void TCombs5Form::takeFrequency(int n, double frequency) {
    VTPropertyValue::set(*frequencyProperty_[n], frequency);
    FrequencySlider(n).SetValue(frequency);
    showNote(n, frequency);
    userEdited();
}

bool TCombs5Form::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease)
        for (int n = 0; n < kCombs; ++n)
            if (watched == note_[n]) {
                pickNote(n, static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
                return true;
            }
    return TContraptionForm::eventFilter(watched, event);
}

void TCombs5Form::pickNote(int n, QPoint globalPosition) {
    const double present = VTPropertyValue::get(*frequencyProperty_[n]);
    const int note = TPianoNotes::pick(globalPosition, 12, 84, nearestNote(present));
    if (note < 1) return;
    const double f = noteFrequency(note);
    field_[n]->setText(twoDecimals(f));
    field_[n]->setPalette(QPalette());
    takeFrequency(n, f);
}
