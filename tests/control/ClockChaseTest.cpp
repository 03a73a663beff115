#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "control/KDMidiIn.h"
#include "control/VTClockChase.h"
#include "control/VTSyncLockListener.h"
#include "platform/midi/KDSimulatedMidiDriver.h"
#include "signal/SGDynSigContext.h"
#include "signal/SGTempo.h"
#include "support/AudioThreadGuard.h"

namespace {

using State = KDMidiClockReceiver::State;
using Change = VTClockChase::LockChange;

State running(std::int32_t position, double time, double bpm) {
    return State{true, position, time, bpm};
}

// The engine's part: the sync step, then each block at its planned tempo.
struct Chase : ::testing::Test {
    SGDynSigContext ctx;
    VTClockChase chase;
    void SetUp() override { chase.setChaseSync(true); }

    Change buffer(const State& ext, int frames, double t, bool open = true) {
        const Change c = chase.step(open, ext, ctx, frames, t);
        for (int b = 0; b < frames / 256; ++b) {
            if (chase.syncLocked()) chase.applyBlockTempo(ctx, b);
            ctx.processBlock();
        }
        return c;
    }
    static double target(const State& ext, double t, int frames) {
        return VTClockChase::externalPosition(ext, t, frames * 1000.0 / 44100.0);
    }
};

struct Listener : VTSyncLockListener {
    std::vector<bool> changes;
    void syncLockChanged(bool locked) override { changes.push_back(locked); }
};

}  // namespace

TEST_F(Chase, ExternalStartLocksAndSeatsTheClockAtTheTimeTheBufferIsHeard) {
    Listener listener;
    chase.setListener(&listener);
    ctx.setClockPosition(500.0);
    // Start came at 1000 ms; the buffer will be heard at 1100 ms.
    const State ext = running(-1, 1000, 120.0);
    EXPECT_EQ(chase.step(true, ext, ctx, 1024, 1100), Change::Locked);
    EXPECT_TRUE(chase.syncLocked());
    EXPECT_TRUE(ctx.isClockRunning());
    EXPECT_DOUBLE_EQ(ctx.clockPosition(), -1.0 + 100.0 * 120.0 * 0.0004);
    EXPECT_EQ(listener.changes, std::vector<bool>{true});
    EXPECT_EQ(chase.step(true, ext, ctx, 1024, 1123), Change::None);
}

TEST_F(Chase, PlanBringsTheClockToTheExternalPositionAtTheBuffersEnd) {
    struct Case {
        const char* what;
        int frames;
        double offset;  // clock ticks ahead of the external clock
        double clockBpm, externalBpm;
    };
    const Case cases[] = {
        {"in step, 4 blocks", 1024, 0.0, 120.0, 120.0},
        {"a little behind", 1024, -0.2, 120.0, 120.0},
        {"a little ahead", 4096, 0.3, 120.0, 120.0},
        {"tempo change up", 2048, 0.0, 100.0, 130.0},
        {"tempo change down", 2048, 0.0, 240.0, 90.0},
        {"two blocks", 512, -0.05, 120.0, 120.0},
        {"one block", 256, 0.02, 120.0, 120.0},
        {"three blocks", 768, 0.05, 120.0, 120.0},
        {"sixty-four blocks", 16384, -1.0, 60.0, 60.0},
        {"odd count of blocks", 4352, 0.5, 140.0, 141.0},
        {"slow clock at tempo 1", 4096, 0.0, 1.0, 120.0},
        {"fast clock", 1024, 0.0, 999.0, 40.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SGDynSigContext fresh;
        VTClockChase ch;
        ch.setChaseSync(true);
        const State ext = running(960, 10000, c.externalBpm);
        ch.step(true, ext, fresh, c.frames, 10000);  // locks and seats
        const std::uint32_t t = 10200;
        fresh.setClockPosition(VTClockChase::externalPosition(ext, t) + c.offset);
        fresh.setSamplesPerTick(sgSamplesPerTickFromTempo(c.clockBpm));
        ch.step(true, ext, fresh, c.frames, t);
        ASSERT_EQ(ch.blockCount(), c.frames / 256);
        for (int b = 0; b < ch.blockCount(); ++b) {
            const double bpm = ch.blockTempo(b);
            EXPECT_TRUE(std::isfinite(bpm) && bpm > 0.0) << "block " << b << ": " << bpm;
            ch.applyBlockTempo(fresh, b);
            fresh.processBlock();
        }
        EXPECT_NEAR(fresh.clockPosition(), target(ext, t, c.frames), 1e-9);
        // The last block runs at the external tempo unless the buffer is a single block.
        if (c.frames > 256) {
            EXPECT_NEAR(ch.blockTempo(ch.blockCount() - 1), c.externalBpm, 1e-9);
        }
    }
}

// Over a wide grid of starting points every planned tempo stays positive and finite, and the
// clock always ends the buffer where the external clock will be.
TEST_F(Chase, EveryPlannedTempoIsPositiveAndFinite) {
    int plans = 0;
    for (int frames : {256, 512, 768, 1024, 1280, 2048, 4096, 8192, 16384}) {
        for (double clockBpm : {1.0, 30.0, 120.0, 240.0, 2000.0}) {
            for (double externalBpm : {1.0, 45.0, 120.0, 240.0, 1000.0}) {
                for (double lead : {-0.6, -0.3, -0.1, 0.0, 0.1, 0.3, 0.45, 0.9}) {
                    SGDynSigContext c;
                    VTClockChase ch;
                    ch.setChaseSync(true);
                    const State ext = running(0, 0, externalBpm);
                    ch.step(true, ext, c, frames, 0);
                    // lead is a fraction of what the buffer covers at the external tempo.
                    const double span = frames * externalBpm * 24.0 / 60.0 / 44100.0;
                    c.setClockPosition(VTClockChase::externalPosition(ext, 40) + lead * span);
                    c.setSamplesPerTick(sgSamplesPerTickFromTempo(clockBpm));
                    ch.step(true, ext, c, frames, 40);
                    for (int b = 0; b < ch.blockCount(); ++b) {
                        const double bpm = ch.blockTempo(b);
                        ASSERT_TRUE(std::isfinite(bpm) && bpm > 0.0)
                            << frames << " " << clockBpm << " " << externalBpm << " " << lead;
                        ch.applyBlockTempo(c, b);
                        c.processBlock();
                    }
                    ASSERT_NEAR(c.clockPosition(), target(ext, 40, frames), 1e-7 * (1 + span));
                    ++plans;
                }
            }
        }
    }
    EXPECT_EQ(plans, 9 * 5 * 5 * 8);
}

TEST_F(Chase, TempoPassesGraduallyFromTheClocksTempoToTheExternalOne) {
    const State ext = running(0, 0, 150.0);
    chase.step(true, ext, ctx, 4096, 0);
    ctx.setClockPosition(VTClockChase::externalPosition(ext, 100));
    ctx.setSamplesPerTick(sgSamplesPerTickFromTempo(120.0));
    chase.step(true, ext, ctx, 4096, 100);
    ASSERT_EQ(chase.blockCount(), 16);
    // The clock is behind in speed, so it runs above the external tempo for a while in the
    // middle, but the first block starts near the clock's own tempo.
    EXPECT_LT(chase.blockTempo(0), 150.0);
    EXPECT_GT(chase.blockTempo(0), 120.0);
    for (int b = 1; b < 16; ++b) {
        EXPECT_LT(std::fabs(chase.blockTempo(b) - chase.blockTempo(b - 1)), 40.0) << b;
    }
}

TEST_F(Chase, ClockTooFarOffIsReseated) {
    const State ext = running(96, 2000, 120.0);
    buffer(ext, 1024, 2000);
    ASSERT_TRUE(chase.syncLocked());
    // A new song position far ahead: the next buffer seats the clock there.
    const State jumped = running(960, 2030, 120.0);
    chase.step(true, jumped, ctx, 1024, 2040);
    EXPECT_DOUBLE_EQ(ctx.clockPosition(), VTClockChase::externalPosition(jumped, 2040));
    for (int b = 0; b < 4; ++b) EXPECT_NEAR(chase.blockTempo(b), 120.0, 1e-9);
    // A big tempo change re-seats as well and runs at the new tempo at once.
    const State faster = running(970, 2100, 300.0);
    chase.step(true, faster, ctx, 1024, 2100);
    EXPECT_DOUBLE_EQ(ctx.clockPosition(), 970.0);
    EXPECT_NEAR(ctx.samplesPerTick(), sgSamplesPerTickFromTempo(300.0), 1e-9);
}

TEST_F(Chase, MissingClocksKeepTheLockAndTheClockRunsOn) {
    const State ext = running(0, 1000, 120.0);
    buffer(ext, 1024, 1000);
    for (std::uint32_t t = 1023; t < 6000; t += 23) {
        EXPECT_EQ(buffer(ext, 1024, t), Change::None);
    }
    EXPECT_TRUE(chase.syncLocked());
    EXPECT_TRUE(ctx.isClockRunning());
    EXPECT_NEAR(ctx.clockPosition(), target(ext, 5991, 1024), 1e-6);
}

TEST_F(Chase, UnlocksOnlyOnStopOnChaseOffOrWhenTheInputCloses) {
    Listener listener;
    chase.setListener(&listener);
    State ext = running(0, 0, 120.0);
    buffer(ext, 1024, 0);
    // External Stop: the clock stops within the next buffer.
    ext.transportRunning = false;
    EXPECT_EQ(buffer(ext, 1024, 23), Change::Unlocked);
    EXPECT_FALSE(ctx.isClockRunning());
    EXPECT_EQ(chase.blockCount(), 0);
    const double stoppedAt = ctx.clockPosition();
    buffer(ext, 1024, 46);
    EXPECT_DOUBLE_EQ(ctx.clockPosition(), stoppedAt);

    // Chase switched off while locked: the clock runs on at its position and tempo.
    ext.transportRunning = true;
    EXPECT_EQ(buffer(ext, 1024, 69), Change::Locked);
    chase.setChaseSync(false);
    const double spt = ctx.samplesPerTick();
    EXPECT_EQ(buffer(ext, 1024, 92), Change::Unlocked);
    EXPECT_TRUE(ctx.isClockRunning());
    EXPECT_EQ(chase.blockCount(), 0);
    chase.applyBlockTempo(ctx, 0);
    EXPECT_DOUBLE_EQ(ctx.samplesPerTick(), spt);

    // The input closing.
    chase.setChaseSync(true);
    EXPECT_EQ(buffer(ext, 1024, 115), Change::Locked);
    EXPECT_EQ(buffer(ext, 1024, 138, false), Change::Unlocked);
    EXPECT_EQ(listener.changes, (std::vector<bool>{true, false, true, false, true, false}));
}

TEST_F(Chase, StaysOffWithoutChaseSyncOrInput) {
    const State ext = running(0, 0, 120.0);
    chase.setChaseSync(false);
    EXPECT_EQ(buffer(ext, 1024, 0), Change::None);
    EXPECT_FALSE(ctx.isClockRunning());
    chase.setChaseSync(true);
    EXPECT_EQ(chase.step(nullptr, ctx, 1024, 0), Change::None);
    EXPECT_FALSE(chase.syncLocked());
    // A stopped external transport does not lock.
    EXPECT_EQ(buffer(State{false, 0, 0, 120.0}, 1024, 0), Change::None);
    EXPECT_FALSE(chase.syncLocked());
}

TEST_F(Chase, StepAllocatesNothing) {
    const State ext = running(0, 0, 120.0);
    chase.step(true, ext, ctx, 4096, 0);
    vantrel::test::AudioThreadGuard guard;
    for (std::uint32_t t = 0; t < 1000; t += 93) {
        chase.step(true, ext, ctx, 4096, t);
        chase.applyBlockTempo(ctx, 3);
    }
    EXPECT_EQ(guard.allocations(), 0);
    EXPECT_EQ(guard.frees(), 0);
}

// A steady external clock at 120 BPM arriving on a port, and buffers heard 60 ms after they are
// computed: the chase locks, runs at about 120 and keeps the clock where the external one is.
TEST(ChaseThroughAPort, FollowsASteadyExternalClock) {
    KDSimulatedMidiDriver driver({"Sync"});
    KDMidiIn in(driver);
    std::uint32_t openedAt = 3000;
    in.setTimeSource([&] { return openedAt; });
    in.openPort();
    SGDynSigContext ctx;
    VTClockChase chase;
    chase.setChaseSync(true);

    const double clockMs = 60000.0 / (24.0 * 120.0);
    const double bufferMs = 1024 * 1000.0 / 44100.0;
    double nextClock = 500.0;  // ms since the port opened
    driver.send("Sync", {0xFA}, nextClock - 1.0);
    double maxError = 0.0;
    for (double now = 0.0; now < 6000.0; now += bufferMs) {
        for (; nextClock <= now; nextClock += clockMs) driver.send("Sync", {0xF8}, nextClock);
        const double heardAt = openedAt + now + 60.0;
        chase.step(&in, ctx, 1024, heardAt);
        for (int b = 0; b < 4; ++b) {
            chase.applyBlockTempo(ctx, b);
            ctx.processBlock();
        }
        if (now > 2000.0) {
            ASSERT_TRUE(chase.syncLocked());
            const double external = (openedAt + now + 60.0 + bufferMs - openedAt - 500.0) / clockMs;
            maxError = std::max(maxError, std::fabs(ctx.clockPosition() - external));
            for (int b = 0; b < 4; ++b) EXPECT_NEAR(chase.blockTempo(b), 120.0, 6.0);
        }
    }
    EXPECT_NEAR(in.syncState().tempoEstimate, 120.0, 0.5);
    EXPECT_LT(maxError, 0.25);  // within a quarter of a tick (about 5 ms)
}
