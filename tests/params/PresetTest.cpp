#include <gtest/gtest.h>

#include <sstream>

#include "params/SGPreset.h"
#include "support/TestProcessors.h"

using vantrel::test::ThreeParams;

namespace {

std::string written(const SGPreset& p) {
    std::ostringstream out;
    p.write(out);
    return out.str();
}

struct Presets : ::testing::Test {
    ThreeParams proc;
    SGPreset preset{proc.propertyTable()};
};

TEST_F(Presets, StoreSnapshotsAndRecallWritesBack) {
    EXPECT_FALSE(preset.isSet());
    EXPECT_EQ(written(preset), "{  }");
    proc.amplitude.setValue(0.5);
    preset.store();
    EXPECT_TRUE(preset.isSet());
    EXPECT_EQ(written(preset), "{ 0.5, 440, 1 }");

    proc.amplitude.setValue(0.9);
    proc.frequency.setValue(100);
    EXPECT_EQ(written(preset), "{ 0.5, 440, 1 }") << "a preset never follows the parameters";
    for (int i = 0; i < 3; ++i) proc.propertyTable().property(i).testAndClearChanged();
    preset.recall();
    EXPECT_EQ(proc.amplitude.value(), 0.5);
    EXPECT_EQ(proc.frequency.value(), 440);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(proc.propertyTable().property(i).isChanged());

    proc.waveform.setValue(0);
    preset.store();  // a set preset takes the new values in place
    EXPECT_EQ(written(preset), "{ 0.5, 440, 0 }");
}

TEST_F(Presets, RecallOfAnEmptyPresetChangesNothing) {
    for (int i = 0; i < 3; ++i) proc.propertyTable().property(i).testAndClearChanged();
    preset.recall();
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(proc.propertyTable().property(i).isChanged());
}

TEST_F(Presets, ReadingAShortListFillsTheRestFromThePresentValues) {
    proc.frequency.setValue(1000);
    proc.waveform.setValue(0);
    std::istringstream in("{ 0.25 }");
    preset.read(in);
    EXPECT_FALSE(in.fail());
    EXPECT_TRUE(preset.isSet());
    EXPECT_EQ(written(preset), "{ 0.25, 1000, 0 }");
    EXPECT_EQ(proc.amplitude.value(), 0.0) << "reading never touches the processor";
}

TEST_F(Presets, EmptyListEmptiesTheSlot) {
    preset.store();
    for (const char* text : {"{ }", "{  }", "{}"}) {
        preset.store();
        std::istringstream in(text);
        preset.read(in);
        EXPECT_FALSE(preset.isSet()) << text;
        EXPECT_FALSE(in.fail()) << text;
    }
}

TEST_F(Presets, DamagedTextLeavesWhatWasNotReached) {
    struct Case {
        const char* text;
        bool set;
        const char* after;
        bool fails;
    };
    const Case cases[] = {
        {"0.5", false, "{  }", true},                     // no brace: unchanged
        {"{ 0.5, x }", true, "{ 0.5, 440, 1 }", true},    // stops at the bad value
        {"{ 0.5, 220", true, "{ 0.5, 220, 1 }", true},    // input ends in the list
        {"{ 1, 2, 3, 4, 5 }", true, "{ 1, 2, 3 }", false},
        {"{ 1, 2, 3, 4", true, "{ 1, 2, 3 }", true},
        {"{", false, "{  }", true},
    };
    for (const auto& c : cases) {
        SGPreset p(proc.propertyTable());
        std::istringstream in(c.text);
        p.read(in);
        EXPECT_EQ(p.isSet(), c.set) << c.text;
        EXPECT_EQ(written(p), c.after) << c.text;
        EXPECT_EQ(in.fail(), c.fails) << c.text;
    }
}

TEST_F(Presets, TextRoundTrips) {
    proc.amplitude.setValue(0.75);
    proc.frequency.setValue(1234.5);
    preset.store();
    std::ostringstream out;
    preset.write(out);
    ThreeParams other;
    SGPreset copy(other.propertyTable());
    std::istringstream in(out.str());
    copy.read(in);
    copy.recall();
    EXPECT_EQ(other.amplitude.value(), 0.75);
    EXPECT_EQ(other.frequency.value(), 1234.5);
}

}  // namespace
