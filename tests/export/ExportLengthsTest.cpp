#include <gtest/gtest.h>

#include "export/VTExportLengths.h"
#include "signal/SGTempo.h"

namespace {

using namespace VTExportLengths;

constexpr double kSpt120 = 918.75;  // samples per tick at 120 BPM

TEST(ExportLengths, LengthsBecomeFramesTruncated) {
    EXPECT_DOUBLE_EQ(sgSamplesPerTickFromTempo(120.0), kSpt120);
    struct Case {
        bool bars;
        double value;
        std::uint64_t frames;
    } cases[] = {
        {true, 1.0, 88200},  {true, 0.0, 0},        {true, 2.5, 220500}, {false, 0.1, 4410},
        {false, 1.0, 44100}, {false, 2.001, 88244}, {false, 0.0, 0},     {false, -1.0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.bars ? "bars " : "seconds ") << c.value);
        EXPECT_EQ(c.bars ? framesForBars(c.value, kSpt120) : framesForSeconds(c.value), c.frames);
    }
    VTExportSettings seconds;
    seconds.inBars = false;
    seconds.preRoll = 0.5;
    seconds.record = 0.1;
    Frames f = framesFor(seconds, kSpt120);
    EXPECT_EQ(f.preRoll, 22050u);
    EXPECT_EQ(f.record, 4410u);
}

TEST(ExportLengths, LongExportsAreCountedPastThirtyTwoBits) {
    // 10000 bars at 1 BPM: far more frames than 32 bits count, so the run can refuse it.
    const std::uint64_t frames = framesForBars(10000.0, sgSamplesPerTickFromTempo(1.0));
    EXPECT_EQ(frames, 105840000000ull);
    EXPECT_GT(frames, kMaxFileFrames);
}

TEST(ExportLengths, PreRollIsRaisedToMoreWholeChunks) {
    struct Case {
        std::uint64_t in, out;
    } cases[] = {{0, 0},           {1, 131072},      {88200, 131072},
                 {131071, 131072}, {131072, 262144}, {131073, 262144}};
    for (const Case& c : cases) EXPECT_EQ(raisedPreRoll(c.in), c.out) << c.in;
}

TEST(ExportLengths, ClockStartsSoThatRecordingBeginsOnBarEighty) {
    EXPECT_DOUBLE_EQ(clockStartTicks(0, kSpt120), 0.0);
    EXPECT_NEAR(clockStartTicks(131072, kSpt120), 7537.34, 0.01);
    EXPECT_DOUBLE_EQ(clockStartTicks(131072, kSpt120) + 131072 / kSpt120, 7680.0);
}

TEST(ExportLengths, ProgressStepCountsChunksBeforeThePreRollIsRaised) {
    EXPECT_FLOAT_EQ(progressStep({0, 88200}), 1.0f);
    EXPECT_FLOAT_EQ(progressStep({88200, 88200}), 0.5f);
    EXPECT_FLOAT_EQ(progressStep({131072, 131072}), 1.0f / 3.0f);
    EXPECT_EQ(requiredDiskBytes(88200), 352800u + 2048u);
}

TEST(ExportModeRule, BarsBecomeSecondsWithOneMillisecondMoreToRecord) {
    VTExportSettings s;  // pattern, pre-roll 0, record 1, in bars
    s.preRoll = 1.0;
    applyModeRule(s, VTExportMode::TimedSegment, kSpt120);
    EXPECT_FALSE(s.inBars);
    EXPECT_EQ(s.mode, VTExportMode::TimedSegment);
    EXPECT_DOUBLE_EQ(s.record, 2.001);
    EXPECT_DOUBLE_EQ(s.preRoll, 2.000);

    // Between the two seconds modes nothing is converted.
    applyModeRule(s, VTExportMode::SoundInFile, kSpt120);
    EXPECT_DOUBLE_EQ(s.record, 2.001);
    EXPECT_DOUBLE_EQ(s.preRoll, 2.000);

    applyModeRule(s, VTExportMode::Pattern, kSpt120);
    EXPECT_TRUE(s.inBars);
    EXPECT_DOUBLE_EQ(s.record, 1.0);
    EXPECT_DOUBLE_EQ(s.preRoll, 1.0);
}

TEST(ExportModeRule, SameUnitLeavesTheValues) {
    VTExportSettings s;
    s.record = 3.3;
    applyModeRule(s, VTExportMode::Pattern, kSpt120);
    EXPECT_DOUBLE_EQ(s.record, 3.3);
    EXPECT_TRUE(s.inBars);
    EXPECT_DOUBLE_EQ(secondsToBars(4.0, sgSamplesPerTickFromTempo(60.0)), 1.0);
    EXPECT_DOUBLE_EQ(barsToSeconds(1.0, sgSamplesPerTickFromTempo(60.0)), 4.0);
}

}  // namespace
