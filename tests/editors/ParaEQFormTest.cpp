// The equalisers' editor: a knob per parameter, in a row per section, each with its property's
// range.
#include "EditorFixture.h"
#include "editors/filters/TParaEQForm.h"

namespace vantrel::test {
namespace {

using ParaEQEditor = KindFormTest;

struct KnobCase {
    TParaEQForm::Row row;
    TParaEQForm::Column column;
    const char* property;
    double min, max;
};

TEST_F(ParaEQEditor, EverySectionHasItsKnobsWithTheirRanges) {
    using F = TParaEQForm;
    const KnobCase knobs[] = {
        {F::Hi, F::Cf, "HSCutoffFrequency", 3000, 18000},
        {F::Hi, F::Gain, "HSGain", -30, 30},
        {F::Mid1, F::Cf, "BP1CenterFrequency", 50, 15000},
        {F::Mid1, F::Bw, "BP1Bandwidth", 85, 2000},
        {F::Mid1, F::Gain, "BP1Gain", -30, 30},
        {F::Mid2, F::Cf, "BP2CenterFrequency", 50, 15000},
        {F::Mid2, F::Bw, "BP2Bandwidth", 85, 2000},
        {F::Mid2, F::Gain, "BP2Gain", -30, 30},
        {F::Low, F::Cf, "LSCutoffFrequency", 20, 3000},
        {F::Low, F::Gain, "LSGain", -30, 30},
    };
    for (const char* maker : {"MParaEQ", "SParaEQ"}) {
        SCOPED_TRACE(maker);
        auto& form = open<TParaEQForm>(maker);
        EXPECT_EQ(form.KnobAt(F::Hi, F::Bw), nullptr) << "a shelf has no bandwidth";
        EXPECT_EQ(form.KnobAt(F::Low, F::Bw), nullptr);
        for (const KnobCase& k : knobs) {
            SCOPED_TRACE(k.property);
            auto* widget = form.KnobAt(k.row, k.column);
            ASSERT_NE(widget, nullptr);
            KDDWKnob& knob = widget->control();
            EXPECT_DOUBLE_EQ(knob.Min(), k.min);
            EXPECT_DOUBLE_EQ(knob.Max(), k.max);
            EXPECT_EQ(knob.Scale(), k.column == F::Gain ? ksLinear : ksLogarithmic);
            if (k.row > F::Hi) EXPECT_GT(widget->y(), form.KnobAt(F::Hi, F::Cf)->y());

            const double middle = (k.min + k.max) / 2;
            setFromOutside(form, k.property, middle);
            EXPECT_NEAR(knob.Value(), middle, 1e-3 * k.max);
            dragUp(*widget, 15);
            EXPECT_GT(valueOf(k.property), middle);
            EXPECT_DOUBLE_EQ(valueOf(k.property), knob.Value());
        }
        preview->clear();
    }
}

TEST_F(ParaEQEditor, ABandwidthKnobCannotShowTheDefaultBelowItsRange) {
    auto& form = open<TParaEQForm>("MParaEQ");
    EXPECT_NEAR(valueOf("BP1Bandwidth"), 20.0, 1e-9) << "the processor's default";
    EXPECT_DOUBLE_EQ(form.KnobAt(TParaEQForm::Mid1, TParaEQForm::Bw)->control().Value(), 85.0);
    EXPECT_NEAR(valueOf("BP1Bandwidth"), 20.0, 1e-9) << "showing it wrote nothing back";
}

}  // namespace
}  // namespace vantrel::test
