// The five combs' editor: per comb a frequency slider with a field and the nearest note, the
// reverberation time and the gain; and the input gain.
#include <QLabel>
#include <QLineEdit>

#include "EditorFixture.h"
#include "editors/TPianoNotes.h"
#include "editors/filters/TCombs5Form.h"
#include "platform/VTMessageBox.h"

namespace vantrel::test {
namespace {

struct RecordingBox : VTMessageBox {
    RecordingBox() { setCurrent(this); }
    ~RecordingBox() override { setCurrent(nullptr); }
    VTMessageAnswer ask(const std::string& text, const std::string&, VTMessageButtons,
                        VTMessageIcon) override {
        texts.push_back(text);
        return VTMessageAnswer::Ok;
    }
    std::vector<std::string> texts;
};

TEST(Combs5Texts, FrequenciesShowTwoDecimalsAndTheirNearestNote) {
    EXPECT_EQ(TCombs5Form::twoDecimals(440), "440.00");
    EXPECT_EQ(TCombs5Form::twoDecimals(65.40639), "65.40") << "cut, not rounded";
    EXPECT_EQ(TCombs5Form::twoDecimals(100.5), "100.5") << "general text cut after two digits";
    EXPECT_EQ(TCombs5Form::nearestNote(440.0), 69);
    EXPECT_EQ(TCombs5Form::nearestNote(65.41), 36);
    EXPECT_EQ(TCombs5Form::nearestNote(452.0), 69) << "less than a quarter tone sharp";
    EXPECT_EQ(TCombs5Form::nearestNote(460.0), 70);
    EXPECT_NEAR(TCombs5Form::noteFrequency(69), 440.0, 0.01);
}

class Combs5Editor : public KindFormTest {
protected:
    void SetUp() override {
        KindFormTest::SetUp();
        form = &open<TCombs5Form>("5Combs");
    }
    void TearDown() override {
        TPianoNotes::setPicker(nullptr);
        KindFormTest::TearDown();
    }
    void type(int n, const char* text) {
        form->FrequencyField(n).setText(text);
        form->FrequencyFieldChanged(n);
    }
    bool grey(QWidget& w, QPalette::ColorRole role) {
        return w.palette().color(role) != QPalette().color(role);
    }
    TCombs5Form* form = nullptr;
};

TEST_F(Combs5Editor, EveryCombsRowShowsItsParameters) {
    for (int n = 0; n < TCombs5Form::kCombs; ++n) {
        SCOPED_TRACE(n);
        const std::string k = std::to_string(n);
        EXPECT_DOUBLE_EQ(form->FrequencySlider(n).Min(), 16.0);
        EXPECT_DOUBLE_EQ(form->FrequencySlider(n).Max(), 2000.0);
        EXPECT_EQ(form->FrequencySlider(n).Scale(), scLogarithmic);
        EXPECT_DOUBLE_EQ(form->ReverbTimeSlider(n).Max(), 10.0);
        EXPECT_DOUBLE_EQ(form->GainSlider(n).Max(), 1.5);
        setFromOutside(*form, "Frequency_" + k, 440.0);
        EXPECT_EQ(form->FrequencyField(n).text(), "440.00");
        EXPECT_EQ(form->NotePanel(n).text(), "a5");
        EXPECT_FALSE(grey(form->NotePanel(n), QPalette::WindowText)) << "in tune";
        setFromOutside(*form, "Frequency_" + k, 452.0);
        EXPECT_EQ(form->NotePanel(n).text(), "a5");
        EXPECT_TRUE(grey(form->NotePanel(n), QPalette::WindowText)) << "off the note";
        setFromOutside(*form, "Gain_" + k, 1.2);
        EXPECT_DOUBLE_EQ(form->GainSlider(n).Value(), 1.2);
    }
    setFromOutside(*form, "InputGain", 0.3);
    EXPECT_DOUBLE_EQ(form->MasterGainSlider().Value(), 0.3);
}

TEST_F(Combs5Editor, TypingAFrequencyTakesItOnlyWithinTheSlidersRange) {
    RecordingBox box;
    c->storePreset(0);
    type(2, "220");
    EXPECT_DOUBLE_EQ(valueOf("Frequency_2"), 220.0);
    EXPECT_NEAR(form->FrequencySlider(2).Value(), 220.0, 1e-9);
    EXPECT_EQ(form->NotePanel(2).text(), "a4");
    EXPECT_EQ(c->currentPreset(), -1);
    EXPECT_EQ(form->FrequencyField(2).text(), "220") << "what was typed stays";

    type(2, "5000");
    EXPECT_DOUBLE_EQ(valueOf("Frequency_2"), 220.0);
    EXPECT_TRUE(grey(form->FrequencyField(2), QPalette::Text));
    type(2, "");
    EXPECT_DOUBLE_EQ(valueOf("Frequency_2"), 220.0);
    EXPECT_TRUE(box.texts.empty());
    type(2, "22x");
    ASSERT_EQ(box.texts.size(), 1u);
    EXPECT_EQ(box.texts[0], "'22x' is not a valid floating point value");
    EXPECT_DOUBLE_EQ(valueOf("Frequency_2"), 220.0);
    type(2, "110.5");
    EXPECT_DOUBLE_EQ(valueOf("Frequency_2"), 110.5);
    EXPECT_FALSE(grey(form->FrequencyField(2), QPalette::Text));
}

TEST_F(Combs5Editor, TheNotePanelOpensThePickerAndTunesTheComb) {
    std::vector<std::array<int, 3>> asked;
    int answer = 57;
    TPianoNotes::setPicker([&](int bottom, int keys, int current) {
        asked.push_back({bottom, keys, current});
        return answer;
    });
    setFromOutside(*form, "Frequency_4", 440.0);
    QWidget* panel = &form->NotePanel(4);
    Press(panel, {5, 5});
    Release(panel, {5, 5});
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], (std::array<int, 3>{12, 84, 69})) << "84 keys from 12, the note shown";
    EXPECT_NEAR(valueOf("Frequency_4"), 220.0, 0.01);
    EXPECT_EQ(form->FrequencyField(4).text(), "220.00");
    EXPECT_EQ(form->NotePanel(4).text(), "a4");

    answer = -1;
    Press(panel, {5, 5});
    Release(panel, {5, 5});
    EXPECT_NEAR(valueOf("Frequency_4"), 220.0, 0.01) << "nothing chosen, nothing changes";
}

}  // namespace
}  // namespace vantrel::test
