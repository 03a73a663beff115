#include <gtest/gtest.h>

#include <cmath>

#include "control/KDMidiClockReceiver.h"

namespace {

// A receiver fed with simulated stamps; the port opened at time base 5000 ms.
struct Receiver : ::testing::Test {
    static constexpr std::uint32_t kOpen = 5000;
    KDMidiClockReceiver rx;
    void SetUp() override { rx.reset(120.0); }
    void send(std::uint8_t status, double stamp, std::uint8_t d1 = 0, std::uint8_t d2 = 0) {
        rx.message(status, d1, d2, stamp, kOpen);
    }
    // count clocks at the given tempo starting at stamp t; returns the stamp after the last.
    double clocks(int count, double bpm, double t) {
        const double interval = 60000.0 / (24.0 * bpm);
        for (int i = 0; i < count; ++i, t += interval) send(0xF8, t);
        return t;
    }
};

}  // namespace

TEST_F(Receiver, StartsStoppedAtTheDefaultTempo) {
    const auto s = rx.state();
    EXPECT_FALSE(s.transportRunning);
    EXPECT_EQ(s.songPosition, 0);
    EXPECT_DOUBLE_EQ(s.tempoEstimate, 120.0);
}

TEST_F(Receiver, StartCountsClocksFromMinusOne) {
    send(0xFA, 100.0);
    auto s = rx.state();
    EXPECT_TRUE(s.transportRunning);
    EXPECT_EQ(s.songPosition, -1);
    EXPECT_DOUBLE_EQ(s.positionTime, kOpen + 100.0);
    clocks(3, 120.0, 120.0);
    s = rx.state();
    EXPECT_EQ(s.songPosition, 2);
    EXPECT_DOUBLE_EQ(s.positionTime, kOpen + 120.0 + 2 * 1000.0 / 48.0);  // the third clock
    send(0xFC, 200.0);
    EXPECT_FALSE(rx.state().transportRunning);
}

TEST_F(Receiver, SongPositionCountsSixteenthNotes) {
    send(0xF2, 300.0, 16, 0);
    EXPECT_EQ(rx.state().songPosition, 96);  // the start of bar 1
    EXPECT_DOUBLE_EQ(rx.state().positionTime, kOpen + 300.0);
    send(0xF2, 301.0, 0, 1);
    EXPECT_EQ(rx.state().songPosition, 768);
    send(0xF2, 302.0, 127, 127);
    EXPECT_EQ(rx.state().songPosition, 16383 * 6);
}

TEST_F(Receiver, ContinueGoesOnFromTheSongPositionAndClocksWhileStoppedDoNotMoveIt) {
    send(0xF2, 0.0, 16, 0);
    clocks(10, 120.0, 10.0);  // a master's clocks while it stands still
    EXPECT_EQ(rx.state().songPosition, 96);
    send(0xFB, 400.0);
    EXPECT_TRUE(rx.state().transportRunning);
    clocks(2, 120.0, 410.0);
    EXPECT_EQ(rx.state().songPosition, 98);
}

TEST_F(Receiver, EstimateStaysAtDefaultUntilThirteenIntervals) {
    send(0xFA, 0.0);
    double t = clocks(13, 100.0, 10.0);  // 12 intervals
    EXPECT_DOUBLE_EQ(rx.state().tempoEstimate, 120.0);
    EXPECT_EQ(rx.intervalCount(), 12);
    clocks(1, 100.0, t);
    // 13 intervals at 100 BPM and 35 nominal ones at 120.
    const double sum = 13 * 25.0 + 35 * (1000.0 / 48.0);
    EXPECT_NEAR(rx.state().tempoEstimate, 2500.0 / (sum / 48.0), 1e-9);
}

TEST_F(Receiver, SteadyClockGivesItsTempo) {
    for (double bpm : {120.0, 90.0, 174.0, 30.0}) {
        SCOPED_TRACE(bpm);
        rx.reset(120.0);
        send(0xFA, 0.0);
        clocks(100, bpm, 5.0);
        EXPECT_NEAR(rx.state().tempoEstimate, bpm, 1e-6);
    }
}

TEST_F(Receiver, StartEmptiesTheIntervalsButContinueKeepsThem) {
    send(0xFA, 0.0);
    double t = clocks(60, 100.0, 0.0);
    send(0xFB, t);  // a new series: no interval across the gap
    t = clocks(1, 100.0, t + 5000.0);
    EXPECT_NEAR(rx.state().tempoEstimate, 100.0, 1e-6);
    EXPECT_EQ(rx.intervalCount(), 48);
    send(0xFA, t);
    EXPECT_EQ(rx.intervalCount(), 0);
    EXPECT_NEAR(rx.state().tempoEstimate, 100.0, 1e-6);  // kept until 13 new intervals
}

TEST_F(Receiver, BrokenStampsNeverGiveAnUnusableTempo) {
    send(0xFA, 0.0);
    // All clocks at one instant, then going backwards.
    for (int i = 0; i < 60; ++i) send(0xF8, 50.0);
    for (int i = 0; i < 60; ++i) send(0xF8, 50.0 - i);
    const double e = rx.state().tempoEstimate;
    EXPECT_TRUE(std::isfinite(e));
    EXPECT_GT(e, 0.0);
    EXPECT_LE(e, KDMidiClockReceiver::kMaxTempo);
}

TEST_F(Receiver, IgnoresOtherSystemMessages) {
    for (std::uint8_t s : {0xF1, 0xF3, 0xF6, 0xFE, 0xFF}) send(s, 1.0, 1, 1);
    EXPECT_FALSE(rx.state().transportRunning);
    EXPECT_EQ(rx.state().songPosition, 0);
}
