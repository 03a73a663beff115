// The bassline's editor: knobs, waveform, and the 16-step sequence with its note picker,
// randomiser, reframing and transposition.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "EditorFixture.h"
#include "editors/TPianoNotes.h"
#include "editors/synthesisers/TBasslineForm.h"
#include "editors/synthesisers/VTBasslineGrid.h"
#include "library/synthesisers/VTBassline.h"

namespace vantrel::test {
namespace {

VTBasslinePattern patternWith(std::initializer_list<int> notes, std::uint32_t gates = 0) {
    VTBasslinePattern p;
    int k = 0;
    for (int n : notes) p.notes[k++] = n;
    p.gates = gates;
    return p;
}

TEST(BasslinePattern, ReframingMovesEveryStepOneColumnAndWrapsAround) {
    VTBasslinePattern p = patternWith({40, 41, 42}, 0b1000'0000'0000'0011);
    p.accents = 0x0001;
    p.ties = 0x1'0000;  // a bit above the pattern
    p.notes[15] = 55;
    p.rotateLeft();
    EXPECT_EQ(p.gates, 0b1100'0000'0000'0001u) << "bit 0 goes to bit 15";
    EXPECT_EQ(p.accents, 0x8000u);
    EXPECT_EQ(p.ties, 0u) << "bits above 15 are cleared";
    EXPECT_EQ(p.notes[0], 41);
    EXPECT_EQ(p.notes[14], 55);
    EXPECT_EQ(p.notes[15], 40) << "step 15 takes step 0's note";
    p.rotateRight();
    EXPECT_EQ(p.gates, 0b1000'0000'0000'0011u);
    EXPECT_EQ(p.notes[0], 40);
    EXPECT_EQ(p.notes[15], 55);
}

TEST(BasslinePattern, TranspositionKeepsNotesThatWouldLeaveTheRangeAndRests) {
    VTBasslinePattern p = patternWith({120, 10, 0, 127, 5});
    p.transpose(12);
    EXPECT_EQ(p.notes[0], 120) << "132 is out of range";
    EXPECT_EQ(p.notes[1], 22);
    EXPECT_EQ(p.notes[2], 0) << "a rest stays a rest";
    p.transpose(-12);
    EXPECT_EQ(p.notes[0], 108);
    EXPECT_EQ(p.notes[1], 10);
    EXPECT_EQ(p.notes[4], 5) << "-7 is out of range";
}

TEST(BasslinePattern, RandomStepsSetOrTurnOverEachBit) {
    // A state whose fraction is nearly 1 sets no bit, so every bit is turned over.
    std::uint32_t state = 0xffffffffu;
    ASSERT_GT(VTBasslinePattern::fraction(state) * 15, 10);
    VTBasslinePattern p;
    p.gates = 0x0001;
    const std::uint32_t s1 = VTBasslinePattern::next(state);
    p.randomise(state);
    EXPECT_EQ(p.notes[0], int(VTBasslinePattern::fraction(s1) * 24 + 20));
    EXPECT_EQ(p.gates & 1u, 0u) << "a set gate the draw does not set is turned off";

    for (std::uint32_t seed : {1u, 12345u, 0xdeadbeefu}) {
        std::uint32_t a = seed, b = seed;
        VTBasslinePattern x, y;
        x.randomise(a);
        y.randomise(b);
        EXPECT_EQ(a, b);
        for (int k = 0; k < 16; ++k) {
            EXPECT_EQ(x.notes[k], y.notes[k]);
            EXPECT_GE(x.notes[k], 20);
            EXPECT_LE(x.notes[k], 43);
        }
        EXPECT_EQ(x.gates, y.gates);
        std::uint32_t moved = seed;
        for (int k = 0; k < 48; ++k) moved = VTBasslinePattern::next(moved);
        EXPECT_EQ(a, moved) << "three draws a step";
    }
}

class BasslineEditor : public KindFormTest {
protected:
    void SetUp() override {
        KindFormTest::SetUp();
        form = &open<TBasslineForm>("Bassline");
        bass = dynamic_cast<VTBassline*>(&c->processor());
        ASSERT_NE(bass, nullptr);
    }
    void TearDown() override {
        TPianoNotes::setPicker(nullptr);
        KindFormTest::TearDown();
    }
    VTBasslinePattern pattern() const { return VTBasslinePattern::of(*bass); }

    TBasslineForm* form = nullptr;
    VTBassline* bass = nullptr;
};

TEST_F(BasslineEditor, KnobsMuteAndWaveformFollowAndSetTheParameters) {
    const char* knobs[] = {"Volume", "CutoffFreq", "Resonance", "EnvMod",  "Accent",
                           "Decay",  "Overdrive",  "LFORate",   "LFODepth"};
    for (int k = 0; k < TBasslineForm::kKnobs; ++k) {
        SCOPED_TRACE(knobs[k]);
        setFromOutside(*form, knobs[k], 0.6);
        EXPECT_DOUBLE_EQ(form->Knob(k).Value(), 0.6);
    }
    EXPECT_DOUBLE_EQ(form->Knob(7).Min(), 0.1) << "the LFO rate starts at 0.1";
    QStringList captions;
    for (QLabel* l : form->clientArea()->findChildren<QLabel*>()) captions << l->text();
    for (const char* text : {"Cutoff", "Env mod", "LFO Rate", "LFO Depth"})
        EXPECT_TRUE(captions.contains(text)) << text;

    c->storePreset(0);
    QTest::mouseClick(&form->SquareButton(), Qt::LeftButton);
    EXPECT_EQ(valueOf("Waveform"), 1);
    EXPECT_EQ(c->currentPreset(), -1);
    setFromOutside(*form, "Waveform", 0);
    EXPECT_TRUE(form->SawButton().isChecked());
    EXPECT_FALSE(form->SquareButton().isChecked());

    QTest::mouseClick(&form->MuteCheckBox(), Qt::LeftButton);
    EXPECT_EQ(valueOf("Mute"), 1);
}

TEST_F(BasslineEditor, GridCellsToggleTheirStepsBits) {
    VTBasslineGrid& grid = form->Grid();
    ASSERT_EQ(pattern().gates, 0xffffu) << "the default pattern";
    c->storePreset(0);
    Press(&grid, grid.cellRect(VTBasslineGrid::Gates, 3).center());
    EXPECT_EQ(pattern().gates, 0xfff7u);
    EXPECT_EQ(c->currentPreset(), -1);
    EXPECT_TRUE(bass->gates.testAndClearChanged()) << "marked changed for the next tick";
    Press(&grid, grid.cellRect(VTBasslineGrid::Ties, 15).center());
    EXPECT_EQ(pattern().ties, 0x8000u);
    Press(&grid, grid.cellRect(VTBasslineGrid::Accents, 0).center());
    EXPECT_EQ(pattern().accents, 0x0001u);

    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Right);
    QTest::keyClick(&grid, Qt::Key_Space);
    EXPECT_EQ(pattern().accents, 0x0003u) << "Space toggles the focused cell";
}

TEST_F(BasslineEditor, ReleasingOverANoteCellPicksItsNote) {
    std::vector<std::array<int, 3>> asked;
    int answer = 48;
    TPianoNotes::setPicker([&](int bottom, int keys, int current) {
        asked.push_back({bottom, keys, current});
        return answer;
    });
    VTBasslineGrid& grid = form->Grid();
    const QPoint cell = grid.cellRect(VTBasslineGrid::Notes, 9).center();
    Press(&grid, cell);
    Release(&grid, cell);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], (std::array<int, 3>{12, 65, 36})) << "65 keys from note 12, 36 selected";
    EXPECT_EQ(pattern().notes[9], 48);
    EXPECT_EQ(bass->notes1.at(1), 48) << "step 9 is the second byte of the second word";

    answer = -1;  // cancelled
    Press(&grid, cell);
    Release(&grid, cell);
    EXPECT_EQ(pattern().notes[9], 48);
}

TEST_F(BasslineEditor, ButtonsRandomiseReframeAndTransposeThePattern) {
    TBasslineForm::seedRandom(777);
    VTBasslinePattern expected = pattern();
    std::uint32_t state = 777;
    expected.randomise(state);
    form->Randomise();
    for (int k = 0; k < 16; ++k) EXPECT_EQ(pattern().notes[k], expected.notes[k]) << k;
    EXPECT_EQ(pattern().gates, expected.gates & 0xffff);

    const VTBasslinePattern before = pattern();
    form->ReframeLeft();
    EXPECT_EQ(pattern().notes[0], before.notes[1]);
    form->ReframeRight();
    EXPECT_EQ(pattern().notes[0], before.notes[0]);

    form->Transpose(-12);
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(pattern().notes[k], before.notes[k] - 12) << "random notes are 20 ... 43";
    QStringList items;
    for (QAction* a : form->TransposeMenu().actions()) items << a->text();
    EXPECT_EQ(items.front(), "-1");
    EXPECT_EQ(items[11], "-12");
    EXPECT_EQ(items[12], "+12");
    EXPECT_EQ(items.back(), "+1");
}

// The picker window itself.
class NotePicker : public EditorTest {};

TEST_F(NotePicker, ReleasingOnAKeyChoosesItAndTheNameFollowsThePointer) {
    TPianoNotes notes(12, 65, 36);
    EXPECT_EQ(notes.Keyboard().SelectedKey(), 36);
    EXPECT_EQ(notes.Keyboard().BottomKey(), 12);
    EXPECT_EQ(notes.Keyboard().TopKey(), 76) << "65 keys";
    EXPECT_EQ(notes.NameLabel().text(), "c3");
    notes.open(QPoint(200, 200));
    QWidget& keys = notes.KeyboardWidget();
    const KDRect r = notes.Keyboard().KeyRect(45);
    const QPoint at((r.left + r.right) / 2, r.bottom - 3);
    MoveHeld(&keys, at, Qt::NoButton);
    EXPECT_EQ(notes.NameLabel().text(), "a3");
    Press(&keys, at);
    Release(&keys, at);
    EXPECT_TRUE(notes.isDone());
    EXPECT_EQ(notes.result(), 45);
}

TEST_F(NotePicker, CancelOrLeavingTheWindowChoosesNothing) {
    {
        TPianoNotes notes(12, 84, 0);
        EXPECT_EQ(notes.Keyboard().TopKey(), 95);
        notes.open(QPoint(100, 100));
        QTest::mouseClick(&notes.CancelButton(), Qt::LeftButton);
        EXPECT_TRUE(notes.isDone());
        EXPECT_EQ(notes.result(), -1);
    }
    {
        TPianoNotes notes(12, 65, 40);
        notes.open(QPoint(100, 100));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&notes, &leave);
        EXPECT_TRUE(notes.isDone());
        EXPECT_EQ(notes.result(), -1);
    }
}

}  // namespace
}  // namespace vantrel::test
