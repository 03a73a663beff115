#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "control/VTTransport.h"
#include "signal/SGClockTicks.h"
#include "signal/SGDynSigContext.h"
#include "signal/SGTempo.h"

namespace {

struct Transport : ::testing::Test {
    SGDynSigContext ctx;
    VTTransport transport{ctx};
};

struct Tick {
    std::int64_t tick;
    double offset;
};

std::vector<Tick> ticksOf(bool running, double position, double spt) {
    SGClockTicks ticks(running, position, spt);
    std::vector<Tick> out;
    Tick t{};
    while (ticks.next(t.tick, t.offset)) out.push_back(t);
    return out;
}

}  // namespace

TEST(Tempo, ConversionsAtTheFixedRate) {
    struct Case {
        double bpm, samplesPerTick;
    };
    for (const Case c : {Case{120.0, 918.75}, Case{240.0, 459.375}, Case{1.0, 110250.0},
                         Case{2.5, 44100.0}, Case{60.0, 1837.5}}) {
        SCOPED_TRACE(c.bpm);
        EXPECT_DOUBLE_EQ(sgSamplesPerTickFromTempo(c.bpm), c.samplesPerTick);
        EXPECT_DOUBLE_EQ(sgTempoFromSamplesPerTick(c.samplesPerTick), c.bpm);
    }
}

TEST(Tempo, BarsAndBeats) {
    struct Case {
        double ticks;
        std::int64_t bar;
        int beat;
    };
    for (const Case c : {Case{0, 0, 1}, Case{23.9, 0, 1}, Case{24, 0, 2}, Case{95.99, 0, 4},
                         Case{96, 1, 1}, Case{96 * 7 + 50, 7, 3}}) {
        SCOPED_TRACE(c.ticks);
        EXPECT_EQ(sgBarNumber(c.ticks), c.bar);
        EXPECT_EQ(sgBeatInBar(c.ticks), c.beat);
    }
    EXPECT_EQ(VTTransport::timecodeText(96 * 12 + 30), "12 \u00B7 2");
    EXPECT_EQ(VTTransport::timecodeText(0), "0 \u00B7 1");
    EXPECT_STREQ(VTTransport::kStartTimecode, "000 \u00B7 0");
    // Before the start (export pre-roll) the beat still reads 1 ... 4.
    const int beat = sgBeatInBar(-30.0);
    EXPECT_GE(beat, 1);
    EXPECT_LE(beat, 4);
}

TEST_F(Transport, StartsStoppedAtZeroAt120) {
    EXPECT_FALSE(transport.isPlaying());
    EXPECT_DOUBLE_EQ(transport.position(), 0.0);
    EXPECT_DOUBLE_EQ(transport.samplesPerTick(), 918.75);
    EXPECT_DOUBLE_EQ(transport.tempo(), 120.0);
}

TEST_F(Transport, SetTempoTakesAnyPositiveTempoAndRefusesTheRest) {
    EXPECT_TRUE(transport.setTempo(240.0));
    EXPECT_DOUBLE_EQ(ctx.samplesPerTick(), 459.375);
    EXPECT_TRUE(transport.setTempo(1.0));
    EXPECT_DOUBLE_EQ(ctx.samplesPerTick(), 110250.0);
    for (double bad : {0.0, -5.0, double(NAN), double(INFINITY)}) {
        EXPECT_FALSE(transport.setTempo(bad));
        EXPECT_DOUBLE_EQ(ctx.samplesPerTick(), 110250.0);
    }
}

TEST_F(Transport, OneBarAt120TakesTwoSeconds) {
    transport.play();
    ctx.processBlock();
    EXPECT_NEAR(transport.position(), 256.0 / 918.75, 1e-12);
    transport.setPosition(0.0);
    // 88200 samples: 344 blocks and a bit; the bar line falls inside block 344.
    for (int b = 0; b < 344; ++b) ctx.processBlock();
    EXPECT_LT(transport.position(), 96.0);
    ctx.processBlock();
    EXPECT_GT(transport.position(), 96.0);
}

TEST_F(Transport, PlayStopAndGoToStart) {
    transport.setPosition(50.0);
    transport.play();
    EXPECT_TRUE(transport.isPlaying());
    EXPECT_DOUBLE_EQ(transport.position(), 50.0);
    transport.stop();
    EXPECT_FALSE(transport.isPlaying());
    ctx.processBlock();
    EXPECT_DOUBLE_EQ(transport.position(), 50.0);  // a stopped clock keeps its place
    transport.playFromStart();
    EXPECT_TRUE(transport.isPlaying());
    EXPECT_DOUBLE_EQ(transport.position(), 0.0);
    transport.goToStart();
    EXPECT_FALSE(transport.isPlaying());
    EXPECT_DOUBLE_EQ(transport.position(), 0.0);
}

TEST_F(Transport, TogglesStopWhenPlayingAndSayWhenTheyStart) {
    transport.setPosition(30.0);
    EXPECT_TRUE(transport.togglePlay());
    EXPECT_DOUBLE_EQ(transport.position(), 30.0);
    EXPECT_FALSE(transport.togglePlay());
    EXPECT_FALSE(transport.isPlaying());
    EXPECT_TRUE(transport.togglePlayFromStart());
    EXPECT_DOUBLE_EQ(transport.position(), 0.0);
    transport.setPosition(70.0);
    EXPECT_FALSE(transport.togglePlayFromStart());  // stops, leaves the position
    EXPECT_DOUBLE_EQ(transport.position(), 70.0);
}

TEST_F(Transport, NewDocumentStopsAtZeroAt120) {
    transport.setTempo(200.0);
    transport.setPosition(400.0);
    transport.play();
    transport.resetForNewDocument();
    EXPECT_FALSE(transport.isPlaying());
    EXPECT_DOUBLE_EQ(transport.position(), 0.0);
    EXPECT_DOUBLE_EQ(transport.tempo(), 120.0);
}

TEST(ClockTicks, FirstTickAndItsOffset) {
    const auto bar = ticksOf(true, 95.9, 918.75);
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_EQ(bar[0].tick, 96);
    EXPECT_NEAR(bar[0].offset, 91.875, 1e-9);
    const auto whole = ticksOf(true, 12.0, 100.0);  // a whole position is its own first tick
    ASSERT_EQ(whole.size(), 3u);
    EXPECT_EQ(whole[0].tick, 12);
    EXPECT_DOUBLE_EQ(whole[0].offset, 0.0);
    EXPECT_DOUBLE_EQ(whole[2].offset, 200.0);
    EXPECT_TRUE(ticksOf(false, 95.9, 918.75).empty());
    EXPECT_TRUE(ticksOf(true, 95.9, 0.0).empty());
    EXPECT_TRUE(ticksOf(true, 95.9, -3.0).empty());
    EXPECT_TRUE(ticksOf(true, NAN, 918.75).empty());
    EXPECT_TRUE(ticksOf(true, 1.0, INFINITY).empty());
}

// Running the clock block after block, every tick is found exactly once, in order, at the
// sample where it falls, whatever the tempo and wherever the blocks cut.
TEST(ClockTicks, EveryTickOnceAcrossBlockBoundaries) {
    for (double bpm : {1.0, 61.3, 120.0, 177.7, 240.0}) {
        SCOPED_TRACE(bpm);
        SGDynSigContext ctx;
        ctx.setSamplesPerTick(sgSamplesPerTickFromTempo(bpm));
        ctx.setClockPosition(-2.5);
        ctx.startClock();
        const double spt = ctx.samplesPerTick();
        std::int64_t expected = -2;
        const int blocks = bpm < 2.0 ? 2000 : 4000;
        for (int b = 0; b < blocks; ++b) {
            SGClockTicks ticks(ctx);
            std::int64_t k;
            double offset;
            while (ticks.next(k, offset)) {
                ASSERT_EQ(k, expected);
                // Where the tick falls in samples since the clock was at -2.5.
                const double at = b * 256.0 + offset;
                ASSERT_NEAR(at, (k + 2.5) * spt, 1e-6 * (1.0 + at));
                ASSERT_GE(offset, 0.0);
                ASSERT_LT(offset, 256.0);
                ++expected;
            }
            ctx.processBlock();
        }
        const double last = -2.5 + blocks * 256.0 / spt;
        EXPECT_EQ(expected, static_cast<std::int64_t>(std::ceil(last)));
    }
}

TEST(ClockTicks, PatternPlaceIsNeverNegative) {
    EXPECT_EQ(sgTickInPattern(96, 96), 0);
    EXPECT_EQ(sgTickInPattern(97, 96), 1);
    EXPECT_EQ(sgTickInPattern(-1, 96), 95);
    EXPECT_EQ(sgTickInPattern(-96, 96), 0);
}
