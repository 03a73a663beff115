// The granulators' editors: ranges and sliders tied to the grain parameters, the onset
// quantisation list, the delay line's freeze switch, and the file granulator's sound file.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "EditorFixture.h"
#include "editors/VTFilePanel.h"
#include "editors/VTSoundFileChooser.h"
#include "editors/granulators/TBubbleBlowerForm.h"
#include "editors/granulators/TDLGranulatorForm.h"
#include "library/granulators/VTDLGranulator.h"
#include "params/SGCStringProperty.h"

namespace vantrel::test {
namespace {

using GranulatorEditor = KindFormTest;

struct RangeRow {
    const char* property;
    double min, max;
    KDRangeSliderScale scale;
};

TEST_F(GranulatorEditor, DelayLineGranulatorShowsEveryGrainRangeWithItsScale) {
    auto& form = open<TDLGranulatorForm>("DLGranulator");
    const RangeRow ranges[] = {
        {"DelayTime", 0, 9500, rscLinear},
        {"Amplitude", 0, 1, rscLinear},
        {"Panning", 0, 1, rscLinear},
        {"PitchScaler", 0.25, 4, rscOctave},
        {"InteronsetTime", 0.5, 2000, rscLogarithmic},
        {"GrainDuration", 5, 500, rscLogarithmic},
        {"AttDecRatio", 0, 0.9, rscLinear},
        {"GrainSkew", 0.05, 0.95, rscLinear},
    };
    for (size_t k = 0; k < std::size(ranges); ++k) {
        const RangeRow& r = ranges[k];
        SCOPED_TRACE(r.property);
        KDRangeSlider& slider = form.RangeSlider(int(k));
        EXPECT_DOUBLE_EQ(slider.Min(), r.min);
        EXPECT_DOUBLE_EQ(slider.Max(), r.max);
        EXPECT_EQ(slider.Scale(), r.scale);
        auto& range = static_cast<SGRangeProperty&>(property(r.property));
        EXPECT_NEAR(slider.Value0(), range.low(), 1e-4 * r.max);
        EXPECT_NEAR(slider.Value1(), range.high(), 1e-4 * r.max);
    }
    EXPECT_EQ(form.RangeSlider(3).ManualTicks(), std::vector<double>{1.0}) << "no transposition";
    EXPECT_EQ(form.RangeSlider(7).ManualTicks(), std::vector<double>{0.5}) << "no skew";
    const char* sliders[] = {"Feedback", "WetDryMix", "QuantizeAmount", "InputGain"};
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(sliders[k]);
        setFromOutside(form, sliders[k], 0.5);
        EXPECT_DOUBLE_EQ(form.Slider(k).Value(), 0.5);
        dragAcross(form.SliderWidget(k), 90, 150);
        EXPECT_GT(valueOf(sliders[k]), 0.5);
    }
    QStringList captions;
    for (QLabel* l : form.clientArea()->findChildren<QLabel*>()) captions << l->text();
    for (const char* text : {"Delay", "Amp", "Pan", "Trans", "IOT", "GDur", "Feed", "Shape", "Skew",
                             "Mix", "InGain", "Max Grains:", "Quant"})
        EXPECT_TRUE(captions.contains(text)) << text;

    EXPECT_DOUBLE_EQ(form.MaxGrainsEdit().Max(), 20.0);
    form.MaxGrainsEdit().KeyDown({KDKey::Character, U'a', ssCtrl});
    form.MaxGrainsEdit().TypeText("7");
    EXPECT_EQ(valueOf("MaxGrains"), 7);
}

TEST_F(GranulatorEditor, TheQuantizeListStandsForClockTicks) {
    for (const char* maker : {"DLGranulator", "BubbleBlower"}) {
        SCOPED_TRACE(maker);
        c = preview->addEditor(maker);
        auto& form = *static_cast<TContraptionForm*>(c->formState().editorWindow());
        QComboBox* list = nullptr;
        if (auto* dl = dynamic_cast<TDLGranulatorForm*>(&form)) list = &dl->QuantizeList();
        if (auto* bb = dynamic_cast<TBubbleBlowerForm*>(&form)) list = &bb->QuantizeList();
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->count(), 12);
        EXPECT_EQ(list->itemText(0), "[none]");
        EXPECT_EQ(list->itemText(11), "1/32t");

        struct Choice {
            const char* item;
            int clocks;
        };
        for (Choice k : {Choice{"1/2t", 32}, Choice{"1/16", 6}, Choice{"[none]", 0},
                         Choice{"1/32t", 2}, Choice{"1", 96}}) {
            c->storePreset(0);
            const int index = list->findText(k.item);
            QMetaObject::invokeMethod(list, "activated", Q_ARG(int, index));
            EXPECT_EQ(valueOf("QuantizeClocks"), k.clocks) << k.item;
            EXPECT_EQ(c->currentPreset(), -1);
        }
        setFromOutside(form, "QuantizeClocks", 16);
        EXPECT_EQ(list->currentText(), "1/4t");
        setFromOutside(form, "QuantizeClocks", 5);
        EXPECT_EQ(list->currentText(), "1/4t") << "a value no item has leaves the list";
        preview->clear();
    }
}

TEST_F(GranulatorEditor, FreezeSwitchesTheDelayLineWithoutForgettingThePreset) {
    auto& form = open<TDLGranulatorForm>("DLGranulator");
    auto& granulator = static_cast<VTDLGranulator&>(c->processor());
    c->storePreset(3);
    QTest::mouseClick(&form.FreezeCheckBox(), Qt::LeftButton);
    EXPECT_TRUE(granulator.isFrozen());
    EXPECT_EQ(c->currentPreset(), 3) << "the freeze is no parameter";
    QTest::mouseClick(&form.FreezeCheckBox(), Qt::LeftButton);
    EXPECT_FALSE(granulator.isFrozen());
}

// The shared search directories pointed at a scratch folder holding one wave file.
class FileGranulatorEditor : public KindFormTest {
protected:
    void SetUp() override {
        KindFormTest::SetUp();
        folder.touch("loops/rain.wav");
    }
    void TearDown() override {
        VTSoundFileChooser::setDialog(nullptr);
        KindFormTest::TearDown();
    }
    const char* storedFile() { return static_cast<SGCStringProperty&>(property("File")).text(); }

    ScratchSoundFolder folder{"bubble"};
    const std::filesystem::path& dir = folder.path();
};

TEST_F(FileGranulatorEditor, TheFileButtonStoresTheShortNameAndThePanelShowsIt) {
    auto& form = open<TBubbleBlowerForm>("BubbleBlower");
    std::vector<std::string> asked;
    std::optional<std::string> answer = (dir / "loops" / "rain.wav").string();
    VTSoundFileChooser::setDialog([&](QWidget*, const std::string& initial) {
        asked.push_back(initial);
        return answer;
    });
    c->storePreset(0);
    QTest::mouseClick(&form.FilePanel().FileButton(), Qt::LeftButton);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].ends_with("/*.wav")) << asked[0] << ": no file yet";
    EXPECT_STREQ(storedFile(), "loops/rain.wav") << "short, below the search directory";
    EXPECT_EQ(form.FilePanel().Panel().text(), "loops/rain.wav");
    EXPECT_EQ(c->currentPreset(), -1);

    QTest::mouseClick(&form.FilePanel().FileButton(), Qt::LeftButton);
    EXPECT_EQ(asked.back(), (dir / "loops" / "rain.wav").string()) << "starts at the file";

    answer.reset();  // the user cancels
    QTest::mouseClick(&form.FilePanel().FileButton(), Qt::LeftButton);
    EXPECT_STREQ(storedFile(), "loops/rain.wav");

    static_cast<SGCStringProperty&>(property("File")).setValue("loops/gone.wav");
    form.propertyChanged(property("File"), true);
    EXPECT_EQ(form.FilePanel().Panel().text(), "loops/gone.wav !") << "a missing file is marked";
}

}  // namespace
}  // namespace vantrel::test
