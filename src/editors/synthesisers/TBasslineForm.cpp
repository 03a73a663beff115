#include "editors/synthesisers/TBasslineForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <chrono>

#include "contraptions/VTContraption.h"
#include "editors/TPianoNotes.h"
#include "editors/VTPropertyControlBinding.h"
#include "editors/VTPropertyValue.h"
#include "editors/synthesisers/VTBasslineGrid.h"
#include "library/synthesisers/VTBassline.h"

namespace {

struct KnobSpec {
    const char* property;
    const char* caption;
};
constexpr KnobSpec kKnobSpecs[TBasslineForm::kKnobs] = {
    {"Volume", "Volume"},       {"CutoffFreq", "Cutoff"}, {"Resonance", "Resonance"},
    {"EnvMod", "Env mod"},      {"Accent", "Accent"},     {"Decay", "Decay"},
    {"Overdrive", "Overdrive"}, {"LFORate", "LFO Rate"},  {"LFODepth", "LFO Depth"},
};

constexpr int kKnobSize = 35;
constexpr int kKnobStep = 56;
constexpr int kPatternNotifier = 1;

// The waveform buttons' pictures: one period of a sawtooth or of a square wave.
QIcon waveIcon(bool square) {
    QPixmap picture(20, 14);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setPen(QPen(Qt::black, 1.5));
    if (square) {
        const QPoint pts[] = {{1, 12}, {1, 2}, {10, 2}, {10, 12}, {19, 12}, {19, 2}};
        p.drawPolyline(pts, 6);
    } else {
        const QPoint pts[] = {{1, 12}, {10, 2}, {10, 12}, {19, 2}, {19, 12}};
        p.drawPolyline(pts, 5);
    }
    return QIcon(picture);
}

}  // namespace

std::uint32_t& TBasslineForm::randomState() {
    static std::uint32_t state = 1;
    return state;
}

TBasslineForm::TBasslineForm(VTContraption& contraption)
    : TContraptionForm(contraption),
      bassline_(dynamic_cast<VTBassline*>(&contraption.processor())) {
    setWindowTitle("Bassline");
    seedRandom(std::uint32_t(std::chrono::steady_clock::now().time_since_epoch().count()));
    QWidget* client = clientArea();

    for (int k = 0; k < kKnobs; ++k) {
        const int left = 8 + kKnobStep * k;
        knobs_[k] = new KDQtHosted<KDDWKnob>(client);
        knobs_[k]->setGeometry(left, 6, kKnobSize, kKnobSize);
        QLabel* caption = addLabel(kKnobSpecs[k].caption, left + kKnobSize / 2 - kKnobStep / 2,
                                   6 + kKnobSize + 1, kKnobStep, Qt::AlignHCenter);
        // Nine captions side by side: a size smaller, so the long ones fit their column.
        QFont small = caption->font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        caption->setFont(small);
        bindKnob(knobs_[k]->control(), kKnobSpecs[k].property);
    }

    const int buttonsTop = 62;
    mute_ = new QCheckBox("Mute", client);
    mute_->move(8, buttonsTop + 2);
    bindCheckBox(*mute_, "Mute");

    saw_ = new QToolButton(client);
    square_ = new QToolButton(client);
    auto* waves = new QButtonGroup(this);
    int left = 70;
    for (QToolButton* b : {saw_, square_}) {
        b->setCheckable(true);
        b->setIcon(waveIcon(b == square_));
        b->setGeometry(left, buttonsTop, 28, 22);
        waves->addButton(b);
        left += 30;
    }
    QObject::connect(saw_, &QToolButton::clicked, this, [this] {
        VTPropertyValue::set(*waveform_, 0);
        userEdited();
    });
    QObject::connect(square_, &QToolButton::clicked, this, [this] {
        VTPropertyValue::set(*waveform_, 1);
        userEdited();
    });
    waveform_ = &bindNotify([this] { showWaveform(); }, "Waveform").property;

    auto addButton = [&](const char* text, int x, int width, auto action) {
        auto* b = new QPushButton(text, client);
        b->setGeometry(x, buttonsTop, width, 22);
        QObject::connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    addButton("Rand", 180, 50, [this] { Randomise(); });
    addLabel("Reframe:", 244, buttonsTop + 3);
    addButton("<", 300, 24, [this] { ReframeLeft(); });
    addButton(">", 326, 24, [this] { ReframeRight(); });
    QPushButton* transpose = addButton("+/-", 364, 40, [] {});
    for (int n = -1; n >= -12; --n) transposeMenu_.addAction(QString::number(n))->setData(n);
    for (int n = 12; n >= 1; --n) transposeMenu_.addAction("+" + QString::number(n))->setData(n);
    QObject::connect(transpose, &QPushButton::clicked, this, [this, transpose] {
        if (QAction* a =
                transposeMenu_.exec(transpose->mapToGlobal(QPoint(0, transpose->height()))))
            Transpose(a->data().toInt());
    });

    grid_ = new VTBasslineGrid(client);
    grid_->move(0, buttonsTop + 30);
    grid_->pattern = [this] { return pattern(); };
    grid_->OnToggle = [this](VTBasslineGrid::Row row, int step) { toggle(row, step); };
    grid_->OnNoteCell = [this](int step, QPoint at) { pickNote(step, at); };
    for (const char* name : {"Gates", "Accents", "Ties", "Notes_0", "Notes_1"})
        bindNull(name, kPatternNotifier);
    addNotifier(kPatternNotifier, [this] { grid_->update(); });
    setClientSize(std::max(grid_->width(), 8 + kKnobStep * kKnobs), grid_->geometry().bottom() + 6);
}

VTBasslinePattern TBasslineForm::pattern() const {
    return bassline_ ? VTBasslinePattern::of(*bassline_) : VTBasslinePattern{};
}

void TBasslineForm::changePattern(const VTBasslinePattern& p) {
    if (!bassline_) return;
    p.storeInto(*bassline_);
    grid_->update();
    userEdited();
}

void TBasslineForm::showWaveform() {
    const bool square = VTPropertyValue::get(*waveform_) != 0.0;
    saw_->setChecked(!square);
    square_->setChecked(square);
}

void TBasslineForm::toggle(int row, int step) {
    VTBasslinePattern p = pattern();
    std::uint32_t& bits = row == VTBasslineGrid::Gates     ? p.gates
                          : row == VTBasslineGrid::Accents ? p.accents
                                                           : p.ties;
    bits ^= 1u << step;
    changePattern(p);
}

void TBasslineForm::pickNote(int step, QPoint globalPosition) {
    VTBasslinePattern p = pattern();
    const int note = TPianoNotes::pick(globalPosition, 12, 65, p.notes[step]);
    if (note < 1) return;
    p.notes[step] = note;
    changePattern(p);
}

void TBasslineForm::Randomise() {
    VTBasslinePattern p = pattern();
    p.randomise(randomState());
    changePattern(p);
}

void TBasslineForm::ReframeLeft() {
    VTBasslinePattern p = pattern();
    p.rotateLeft();
    changePattern(p);
}

void TBasslineForm::ReframeRight() {
    VTBasslinePattern p = pattern();
    p.rotateRight();
    changePattern(p);
}

void TBasslineForm::Transpose(int semitones) {
    VTBasslinePattern p = pattern();
    p.transpose(semitones);
    changePattern(p);
}
