#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "ProcessorFixtures.h"
#include "params/SGPropertyUnits.h"

namespace {

using vantrel::test::kindName;
using vantrel::test::makeKind;

struct KindRow {
    std::string name;
    std::string category;
    int help;
    bool editor;
    int inlets;
    int outlets;
    std::string properties;  // the property text of a new instance
};

std::string zeros(int n) {
    std::string s;
    for (int k = 0; k < n; ++k) s += ", 0";
    return s;
}

std::vector<KindRow> kindRows() {
    std::vector<KindRow> rows;
    rows.push_back(
        {"10Harmonics", "Signal Generators", 1005, true, 0, 1, "{ 100, 0, 1" + zeros(9) + " }"});
    for (int n : {2, 3, 4, 6, 8, 12})
        rows.push_back({kindName("M", n, "Buss"), "Busses", 1018, false, n, 1, "{  }"});
    for (int n : {2, 3, 4, 6, 8, 12})
        rows.push_back({kindName("S", n, "Buss"), "Busses", 1019, false, 2 * n, 2, "{  }"});
    rows.push_back({"Crossfader", "Mixers", 1017, true, 4, 2, "{ 1, 1, 1, 0 }"});
    for (int n : {2, 3, 4, 6, 8, 12})
        rows.push_back(
            {kindName("M", n, "Mixer"), "Mixers", 1016, true, n, 1, "{ 0" + zeros(n) + " }"});
    for (int n : {2, 3, 4, 6, 8, 12})
        rows.push_back(
            {kindName("S", n, "Mixer"), "Mixers", 1014, true, 2 * n, 2, "{ 0" + zeros(n) + " }"});
    for (int n : {2, 3, 4, 6, 8, 12}) {
        std::string text = "{ 0";
        for (int k = 0; k < n; ++k) text += ", 0, 0.5";
        rows.push_back({kindName("P", n, "Mixer"), "Mixers", 1015, true, n, 2, text + " }"});
    }
    rows.push_back({"RingAM", "Effects", 1007, true, 2, 1, "{ 440, 0 }"});
    rows.push_back({"4x4Matrix", "Mixers", 1023, true, 4, 4, "{ 50" + zeros(16) + " }"});
    rows.push_back({"8x8Matrix", "Mixers", 1023, true, 8, 8, "{ 50" + zeros(64) + " }"});
    return rows;
}

TEST(MixerFamilyMakers, EveryKindIsRegisteredWithItsCategoryHelpTopicAndCounts) {
    for (const KindRow& row : kindRows()) {
        SCOPED_TRACE(row.name);
        auto c = makeKind(row.name);
        ASSERT_NE(c, nullptr);
        VTContraptionMaker* maker = VTContraptionFactory::instance().findMaker(row.name);
        EXPECT_EQ(maker->category(), row.category);
        EXPECT_EQ(maker->helpContext(), row.help);
        EXPECT_FALSE(maker->unnumbered());
        EXPECT_EQ(maker->hasEditor(), row.editor);
        EXPECT_EQ(c->name(), row.name + "_1");
        EXPECT_EQ(c->inletCount(), row.inlets);
        EXPECT_EQ(c->outletCount(), row.outlets);
        std::ostringstream text;
        c->processor().writeProperties(text);
        EXPECT_EQ(text.str(), row.properties);
    }
}

TEST(MixerFamilyMakers, KindsRegisterInTheTablesOrder) {
    // The rows above are in the table's order; kinds built elsewhere sit between them.
    int previous = -1;
    for (const KindRow& row : kindRows()) {
        makeKind(row.name);
        int index = VTContraptionFactory::instance().findMaker(row.name)->index();
        EXPECT_GT(index, previous) << row.name;
        previous = index;
    }
    const int testGen = VTContraptionFactory::instance().findMaker("TestGen")->index();
    EXPECT_LT(testGen, VTContraptionFactory::instance().findMaker("10Harmonics")->index());
}

struct PropertyRow {
    std::string kind;
    int index;
    std::string name;
    const SGPropertyUnits* units;
    double minimum, maximum;
};

TEST(MixerFamilyMakers, PropertiesHaveTheirNamesUnitsAndRanges) {
    const PropertyRow rows[] = {
        {"10Harmonics", 0, "Frequency", SGFrequencyUnits::instance(), 20, 2000},
        {"10Harmonics", 1, "Gain", SGGainUnits::instance(), 0, 1},
        {"10Harmonics", 2, "Amp_0", SGAbstractUnits::instance(), 0, 1},
        {"10Harmonics", 11, "Amp_9", SGAbstractUnits::instance(), 0, 1},
        {"Crossfader", 0, "MasterGain", SGGainUnits::instance(), 0, 1.5},
        {"Crossfader", 1, "TrimA", SGGainUnits::instance(), 0, 1.5},
        {"Crossfader", 2, "TrimB", SGGainUnits::instance(), 0, 1.5},
        {"Crossfader", 3, "Fade", SGAbstractUnits::instance(), 0, 1},
        {"M12Mixer", 0, "MasterGain", SGGainUnits::instance(), 0, 1},
        {"M12Mixer", 12, "Gain_11", SGGainUnits::instance(), 0, 1},
        {"S3Mixer", 3, "Gain_2", SGGainUnits::instance(), 0, 1},
        {"P3Mixer", 0, "MasterGain", SGGainUnits::instance(), 0, 1},
        {"P3Mixer", 1, "Gain_0", SGGainUnits::instance(), 0, 1},
        {"P3Mixer", 2, "Pan_0", SGPanningUnits::instance(), 0, 1},
        {"P3Mixer", 5, "Gain_2", SGGainUnits::instance(), 0, 1},
        {"P3Mixer", 6, "Pan_2", SGPanningUnits::instance(), 0, 1},
        {"RingAM", 0, "Frequency", SGFrequencyUnits::instance(), 20, 1500},
        {"RingAM", 1, "AM", SGAbstractUnits::instance(), 0, 0},
        {"4x4Matrix", 0, "FadeTime", SGTimeMillisecondsUnits::instance(), 0, 100000},
        {"4x4Matrix", 1, "Gate0_0", SGAbstractUnits::instance(), 0, 0},
        {"4x4Matrix", 2, "Gate0_1", SGAbstractUnits::instance(), 0, 0},
        {"4x4Matrix", 5, "Gate1_0", SGAbstractUnits::instance(), 0, 0},
        {"4x4Matrix", 16, "Gate3_3", SGAbstractUnits::instance(), 0, 0},
        {"8x8Matrix", 9, "Gate1_0", SGAbstractUnits::instance(), 0, 0},
        {"8x8Matrix", 64, "Gate7_7", SGAbstractUnits::instance(), 0, 0},
    };
    for (const PropertyRow& row : rows) {
        SCOPED_TRACE(row.kind + " " + row.name);
        auto c = makeKind(row.kind);
        SGPropertyTable& table = c->processor().propertyTable();
        ASSERT_LT(row.index, table.count());
        EXPECT_EQ(table.info(row.index).name, row.name);
        EXPECT_EQ(table.info(row.index).units, row.units);
        EXPECT_EQ(table.info(row.index).minimum, row.minimum);
        EXPECT_EQ(table.info(row.index).maximum, row.maximum);
        EXPECT_EQ(table.indexOf(row.name), row.index);
    }
}

TEST(MixerFamilyMakers, MixersOfEverySizeKeepTheirOwnTables) {
    // Each size has its own table description; building one size must not disturb another.
    auto small = makeKind("M2Mixer");
    auto large = makeKind("M12Mixer");
    auto middle = makeKind("M6Mixer");
    EXPECT_EQ(small->processor().propertyTable().count(), 3);
    EXPECT_EQ(large->processor().propertyTable().count(), 13);
    EXPECT_EQ(middle->processor().propertyTable().count(), 7);
    EXPECT_EQ(makeKind("P12Mixer")->processor().propertyTable().count(), 25);
    EXPECT_EQ(makeKind("4x4Matrix")->processor().propertyTable().count(), 17);
    EXPECT_EQ(makeKind("8x8Matrix")->processor().propertyTable().count(), 65);
}

}  // namespace
