#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "library/effects/VTCmixReverb.h"
#include "library/effects/VTFlanger.h"
#include "library/effects/VTPhaser.h"
#include "library/effects/VTSDelay.h"
#include "library/filters/VT5Combs.h"
#include "library/filters/VTMonoParametric.h"
#include "library/filters/VTStereoParametric.h"
#include "params/SGPropertyUnits.h"

namespace {

struct Row {
    const char* name;
    const SGPropertyUnits* units;
    double minimum, maximum;
};

struct Kind {
    const char* label;
    std::function<std::unique_ptr<SGSignalProcessor>()> make;
    int inlets, outlets;
    std::vector<Row> rows;
    const char* defaults;  // the property text of a new processor
};

std::vector<Kind> kinds() {
    const auto* s = SGTimeSecondsUnits::instance();
    const auto* f = SGFractionUnits::instance();
    const auto* hz = SGFrequencyUnits::instance();
    const auto* db = SGDecibelUnits::instance();
    const auto* g = SGGainUnits::instance();
    const auto* ms = SGTimeMillisecondsUnits::instance();
    const auto* none = SGAbstractUnits::instance();
    std::vector<Row> eq = {{"HSCutoffFrequency", hz, 3000, 18000},
                           {"HSGain", db, -30, 30},
                           {"BP1CenterFrequency", hz, 50, 15000},
                           {"BP1Bandwidth", hz, 85, 2000},
                           {"BP1Gain", db, -30, 30},
                           {"BP2CenterFrequency", hz, 50, 15000},
                           {"BP2Bandwidth", hz, 85, 2000},
                           {"BP2Gain", db, -30, 30},
                           {"LSCutoffFrequency", hz, 20, 3000},
                           {"LSGain", db, -30, 30}};
    const char* eqDefaults = "{ 10000, 0, 1000, 20, 0, 500, 20, 0, 100, 0 }";
    std::vector<Row> combs = {{"InputGain", g, 0, 1}};
    for (int n = 0; n < 5; ++n) combs.push_back({nullptr, hz, 16, 2000});
    for (int n = 0; n < 5; ++n) combs.push_back({nullptr, s, 0.02, 10});
    for (int n = 0; n < 5; ++n) combs.push_back({nullptr, g, 0, 1.5});
    return {
        {"reverb",
         [] { return std::make_unique<VTCmixReverb>(); },
         1,
         2,
         {{"ReverbTime", s, 0.1, 10}, {"WetDryMix", f, 0, 1}},
         "{ 1, 0.5 }"},
        {"flanger",
         [] { return std::make_unique<VTFlanger>(); },
         1,
         1,
         {{"FrequencyRange", hz, 20, 4000},
          {"Rate", hz, 0.001, 100},
          {"Feedback", f, 0, 0.95},
          {"WetDryMix", f, 0, 1}},
         "{ 440 1600, 1, 0.9, 0.7 }"},
        {"phaser",
         [] { return std::make_unique<VTPhaser>(); },
         1,
         1,
         {{"FrequencyRange", hz, 20, 4000},
          {"Rate", hz, 0.001, 100},
          {"Feedback", f, 0, 0.95},
          {"Depth", f, 0, 1}},
         "{ 440 1600, 0.55, 0.7, 1 }"},
        {"mono equaliser", [] { return std::make_unique<VTMonoParametric>(); }, 1, 1, eq,
         eqDefaults},
        {"stereo equaliser", [] { return std::make_unique<VTStereoParametric>(); }, 2, 2, eq,
         eqDefaults},
        {"five combs", [] { return std::make_unique<VT5Combs>(); }, 1, 1, combs,
         "{ 0, 110, 220, 440, 880, 1760, 1, 2, 3, 4, 5, 1, 0.5, 0.25, 0.125, 0.0625 }"},
        {"stereo delay",
         [] { return std::make_unique<VTSDelay>(); },
         2,
         2,
         {{"DelayUnits", none, 0, 0},
          {"LeftDelay", ms, 1, 2000},
          {"RightDelay", ms, 1, 2000},
          {"Feedback", f, 0, 1},
          {"WetDryMix", f, 0, 1}},
         "{ 0, 200, 200, 0.3, 1 }"},
    };
}

// The five combs' numbered names, in table order.
std::string combName(int index) {
    static const char* stems[] = {"Frequency_", "ReverbTime_", "Gain_"};
    return stems[(index - 1) / 5] + std::to_string((index - 1) % 5);
}

TEST(EffectPropertyTables, NamesUnitsRangesAndDefaultsInTableOrder) {
    for (const Kind& kind : kinds()) {
        SCOPED_TRACE(kind.label);
        auto p = kind.make();
        EXPECT_EQ(p->inletCount(), kind.inlets);
        EXPECT_EQ(p->outletCount(), kind.outlets);
        SGPropertyTable& table = p->propertyTable();
        ASSERT_EQ(table.count(), static_cast<int>(kind.rows.size()));
        for (int i = 0; i < table.count(); ++i) {
            const Row& row = kind.rows[static_cast<std::size_t>(i)];
            const std::string name = row.name ? row.name : combName(i);
            EXPECT_EQ(table.info(i).name, name);
            EXPECT_EQ(table.info(i).units, row.units) << name;
            EXPECT_EQ(table.info(i).minimum, row.minimum) << name;
            EXPECT_EQ(table.info(i).maximum, row.maximum) << name;
            EXPECT_EQ(table.indexOf(name), i);
        }
        std::ostringstream text;
        p->writeProperties(text);
        EXPECT_EQ(text.str(), kind.defaults);
    }
}

TEST(EffectPropertyTables, StoredValuesReadBackIntoTheRightProperties) {
    VTSDelay delay;
    std::istringstream in("{ 1, 3, 5, 0.5, 0.25 }");
    delay.readProperties(in);
    EXPECT_EQ(delay.delayUnits.value(), 1);
    EXPECT_EQ(delay.leftDelay.value(), 3);
    EXPECT_EQ(delay.rightDelay.value(), 5);
    EXPECT_EQ(delay.feedback.value(), 0.5);
    EXPECT_EQ(delay.wetDryMix.value(), 0.25);

    VTStereoParametric eq;  // shares its description with the mono equaliser
    VTMonoParametric mono;
    std::istringstream eqIn("{ 12000, 3, 900, 100, -6, 400, 200, 6, 80, -3 }");
    eq.readProperties(eqIn);
    EXPECT_EQ(eq.lsGain.value(), -3.0);
    EXPECT_EQ(eq.bp1Bandwidth.value(), 100.0);
    EXPECT_EQ(&mono.propertyTable().property(9), &mono.lsGain);
    EXPECT_EQ(&eq.propertyTable().property(9), &eq.lsGain);

    VT5Combs combs;
    EXPECT_EQ(&combs.propertyTable().findProperty("ReverbTime_3"), &combs.reverbTime[3]);
    EXPECT_EQ(&combs.propertyTable().findProperty("Gain_4"), &combs.gain[4]);
}

}  // namespace
