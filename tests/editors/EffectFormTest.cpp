// The effects' editors: labelled sliders for the reverb, flanger and phaser, a knob and a choice
// of modulation for the ring modulator, each tied to its parameter.
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <cmath>

#include "EditorFixture.h"
#include "editors/effects/TNastyReverbForm.h"
#include "editors/effects/TRingAMForm.h"
#include "editors/effects/TSDelayForm.h"
#include "editors/effects/TSweepForm.h"

namespace vantrel::test {
namespace {

using EffectEditor = KindFormTest;

struct SliderRow {
    const char* caption;
    const char* property;
    double min, max;
};

struct SliderFormCase {
    const char* maker;
    bool hasRange;  // the first row is the range slider over "FrequencyRange"
    std::vector<SliderRow> sliders;
};

const std::vector<SliderFormCase>& sliderForms() {
    static const std::vector<SliderFormCase> cases = {
        {"NastyReverb",
         false,
         {{"Reverb time:", "ReverbTime", 0.1, 10.0}, {"Wet/dry mix:", "WetDryMix", 0.0, 1.0}}},
        {"Flanger",
         true,
         {{"Rate:", "Rate", 0.001, 100.0},
          {"Feedback:", "Feedback", 0.0, 0.95},
          {"Wet/dry mix:", "WetDryMix", 0.0, 1.0}}},
        {"Phaser",
         true,
         {{"Rate:", "Rate", 0.001, 100.0},
          {"Feedback:", "Feedback", 0.0, 0.95},
          {"Depth:", "Depth", 0.0, 1.0}}},
    };
    return cases;
}

QStringList captionsOf(QWidget& form) {
    QStringList texts;
    for (QLabel* l : form.findChildren<QLabel*>()) texts << l->text();
    return texts;
}

TEST_F(EffectEditor, SliderFormsShowEveryParameterWithItsCaptionAndRange) {
    for (const SliderFormCase& k : sliderForms()) {
        SCOPED_TRACE(k.maker);
        auto& form = open<TSliderRowsForm>(k.maker);
        const QStringList captions = captionsOf(*form.clientArea());
        if (k.hasRange) {
            EXPECT_TRUE(captions.contains("Range:"));
            EXPECT_DOUBLE_EQ(form.RangeSlider(0).Min(), 20.0);
            EXPECT_DOUBLE_EQ(form.RangeSlider(0).Max(), 4000.0);
            EXPECT_EQ(form.RangeSlider(0).Scale(), rscLogarithmic);
        }
        for (size_t row = 0; row < k.sliders.size(); ++row) {
            const SliderRow& r = k.sliders[row];
            KDDWSlider& slider = form.Slider(int(row));
            EXPECT_TRUE(captions.contains(r.caption)) << r.caption;
            EXPECT_EQ(slider.Orientation(), soHorizontal);
            EXPECT_DOUBLE_EQ(slider.Min(), r.min) << r.property;
            EXPECT_DOUBLE_EQ(slider.Max(), r.max) << r.property;
            EXPECT_EQ(slider.Scale(), std::string(r.property) == "Rate" ? scLogarithmic : scLinear);

            setFromOutside(form, r.property, r.max);
            EXPECT_DOUBLE_EQ(slider.Value(), r.max) << "shown from the processor";
            c->storePreset(0);
            dragAcross(form.SliderWidget(int(row)), 120, 20);
            EXPECT_LT(valueOf(r.property), r.max) << "dragged down from the top";
            EXPECT_DOUBLE_EQ(valueOf(r.property), slider.Value());
            EXPECT_EQ(c->currentPreset(), -1);
        }
        EXPECT_GT(form.clientArea()->height(), 30 * int(k.sliders.size() + k.hasRange) - 1)
            << "one row per control";
        preview->clear();
    }
}

TEST_F(EffectEditor, TheRangeSliderShowsAndSetsTheSweptFrequencies) {
    auto& form = open<TFlangerForm>("Flanger");
    auto& range = static_cast<SGRangeProperty&>(property("FrequencyRange"));
    range.setValue(100.0f, 2000.0f);
    form.propertyChanged(range, true);
    EXPECT_NEAR(form.RangeSlider(0).Value0(), 100.0, 1e-3);
    EXPECT_NEAR(form.RangeSlider(0).Value1(), 2000.0, 1e-3);

    // The high thumb's middle: its position on the logarithmic scale along the travel.
    QWidget& slider = form.RangeSliderWidget(0);
    const double travel = slider.width() - 2 * KDRangeSlider::kThumbLength;
    const int high = int(std::log(2000.0 / 20.0) / std::log(4000.0 / 20.0) * travel) + 11;
    dragAcross(slider, high, high - 30);
    EXPECT_LT(range.high(), 2000.0f);
    EXPECT_NEAR(range.low(), 100.0f, 1e-3) << "the low end stays";
}

TEST_F(EffectEditor, RingModulatorChoosesItsModulationByRadioButton) {
    auto& form = open<TRingAMForm>("RingAM");
    EXPECT_TRUE(form.RingModRadioButton().isChecked());
    EXPECT_FALSE(form.AMRadioButton().isChecked());
    EXPECT_DOUBLE_EQ(form.FrequencyKnob().Min(), 20.0);
    EXPECT_DOUBLE_EQ(form.FrequencyKnob().Max(), 1500.0);

    c->storePreset(2);
    QTest::mouseClick(&form.AMRadioButton(), Qt::LeftButton);
    EXPECT_EQ(valueOf("AM"), 1.0);
    EXPECT_EQ(c->currentPreset(), -1);
    QTest::mouseClick(&form.RingModRadioButton(), Qt::LeftButton);
    EXPECT_EQ(valueOf("AM"), 0.0);

    setFromOutside(form, "AM", 1.0);
    EXPECT_TRUE(form.AMRadioButton().isChecked());
    EXPECT_FALSE(form.RingModRadioButton().isChecked());
    setFromOutside(form, "AM", 0.0);
    EXPECT_TRUE(form.RingModRadioButton().isChecked());

    const double before = valueOf("Frequency");
    dragUp(form.FrequencyKnobWidget(), 30);
    EXPECT_GT(valueOf("Frequency"), before);
}

// At the starting tempo of 120 beats a minute a semiquaver lasts 125 ms.
TEST_F(EffectEditor, StereoDelayConvertsBothTimesWhenTheUnitChanges) {
    auto& form = open<TSDelayForm>("SDelay");
    EXPECT_EQ(form.UnitsList().currentText(), "Milliseconds");
    EXPECT_DOUBLE_EQ(form.LeftEdit().Min(), 20.0);
    EXPECT_DOUBLE_EQ(form.LeftEdit().Max(), 2000.0);
    EXPECT_DOUBLE_EQ(form.RightEdit().Value(), 200.0);
    EXPECT_EQ(form.RightEdit().Text(), "200") << "whole numbers";

    struct Step {
        int units;
        int left, right;  // before the change, in the old unit
        int wantLeft, wantRight;
        double min, max;
    };
    const Step steps[] = {
        {TSDelayForm::Semiquavers, 200, 500, 1, 4, 1, 32},  // trunc((v + 1) / 125), at least 1
        {TSDelayForm::Milliseconds, 3, 16, 375, 2000, 20, 2000},  // trunc(v * 125)
        {TSDelayForm::Semiquavers, 20, 1999, 1, 16, 1, 32},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.units);
        setFromOutside(form, "LeftDelay", s.left);
        setFromOutside(form, "RightDelay", s.right);
        c->storePreset(0);
        form.UnitsChosen(s.units);
        EXPECT_EQ(valueOf("DelayUnits"), s.units);
        EXPECT_EQ(valueOf("LeftDelay"), s.wantLeft);
        EXPECT_EQ(valueOf("RightDelay"), s.wantRight);
        EXPECT_DOUBLE_EQ(form.LeftEdit().Value(), s.wantLeft) << "the fields show them";
        EXPECT_DOUBLE_EQ(form.RightEdit().Min(), s.min);
        EXPECT_DOUBLE_EQ(form.RightEdit().Max(), s.max);
        EXPECT_EQ(form.UnitsList().currentIndex(), s.units);
        EXPECT_EQ(c->currentPreset(), -1);
    }

    c->storePreset(1);
    form.UnitsChosen(TSDelayForm::Semiquavers);
    EXPECT_EQ(valueOf("LeftDelay"), 1) << "the same unit again converts nothing";
    EXPECT_EQ(c->currentPreset(), 1);
}

TEST_F(EffectEditor, StereoDelayFollowsItsUnitsFromAnywhere) {
    auto& form = open<TSDelayForm>("SDelay");
    setFromOutside(form, "DelayUnits", TSDelayForm::Semiquavers);
    EXPECT_EQ(form.UnitsList().currentText(), "Semiquavers");
    EXPECT_DOUBLE_EQ(form.LeftEdit().Max(), 32.0);
    EXPECT_EQ(valueOf("LeftDelay"), 200) << "only a choice in the window converts";

    KDNumberEdit& edit = form.RightEdit();
    edit.KeyDown({KDKey::Character, U'a', ssCtrl});
    edit.TypeText("12");
    EXPECT_EQ(valueOf("RightDelay"), 12);

    const double feedback = valueOf("Feedback");
    dragUp(form.FeedbackKnobWidget(), 20);
    EXPECT_GT(valueOf("Feedback"), feedback);
}

}  // namespace
}  // namespace vantrel::test
