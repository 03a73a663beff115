#include <gtest/gtest.h>

#include <cmath>

#include "ProcessorFixtures.h"
#include "library/mixers/VTCrossfader.h"
#include "support/AudioThreadGuard.h"

namespace {

using namespace vantrel::test;

constexpr double kSettled = 1e-4;

void runBlocks(VTCrossfader& x, int blocks) {
    for (int b = 0; b < blocks; ++b) x.process();
}

TEST(Crossfader, FadePositionsGiveTheSideGainsUnderTrimsAndMaster) {
    struct Case {
        double fade, gainA, gainB;
    } cases[] = {
        {0.0, 1.0, 0.0}, {0.25, 1.0, 0.5}, {0.5, 1.0, 1.0}, {0.75, 0.5, 1.0}, {1.0, 0.0, 1.0},
    };
    for (const Case& c : cases) {
        VTCrossfader x;
        x.masterGain.setValue(1.25);
        x.trimA.setValue(0.8);
        x.trimB.setValue(1.2);
        x.fade.setValue(c.fade);
        x.process();
        EXPECT_EQ(x.smootherA().target, static_cast<float>(c.gainA * 0.8 * 1.25)) << c.fade;
        EXPECT_EQ(x.smootherB().target, static_cast<float>(c.gainB * 1.2 * 1.25)) << c.fade;
    }
}

TEST(Crossfader, EachSmootherRunsOnThroughTheRightChannel) {
    VTCrossfader x;
    SGSignal al(1.0f), ar(1.0f), bl(1.0f), br(1.0f);
    plug(x, 0, al);
    plug(x, 1, ar);
    plug(x, 2, bl);
    plug(x, 3, br);
    x.fade.setValue(0.5);
    x.process();
    const float pole = x.smootherA().pole, input = x.smootherA().inputGain;
    EXPECT_EQ(pole, SGGainSmoother::poleForCutoff(5.0, static_cast<float>(SGSampleRate)));
    float g = 0.0f;
    for (std::uint32_t s = 0; s < 2 * SGBlockSize; ++s) {
        g = input * 1.0f + pole * g;
        const float got =
            s < SGBlockSize ? x.outletSignal(0)[s] : x.outletSignal(1)[s - SGBlockSize];
        // Both sides at full level, from the same start: A and B add equal shares.
        ASSERT_EQ(got, g + g) << s;
    }
}

TEST(Crossfader, ThreeQuartersPlaysAAtHalfAndBAtFullLevel) {
    VTCrossfader x;
    SGSignal a = testBlock(1), b = testBlock(2);
    plug(x, 0, a);
    plug(x, 1, a);
    plug(x, 2, b);
    plug(x, 3, b);
    x.fade.setValue(0.75);
    // A few seconds: the 5 Hz smoothers have settled, within what single precision lets a
    // one-pole smoother reach (a few parts in 1e5 short of the target).
    runBlocks(x, 200);
    for (std::uint32_t s = 0; s < SGBlockSize; ++s) {
        EXPECT_NEAR(x.outletSignal(0)[s], 0.5 * a[s] + b[s], kSettled) << s;
        EXPECT_NEAR(x.outletSignal(1)[s], 0.5 * a[s] + b[s], kSettled) << s;
    }
}

TEST(Crossfader, ASideWithOneInletPlaysItOnBothOutputs) {
    struct Case {
        int inlet;
        double fade;
    } cases[] = {{0, 0.0}, {1, 0.0}, {2, 1.0}, {3, 1.0}};
    for (const Case& c : cases) {
        VTCrossfader x;
        SGSignal in = testBlock(c.inlet);
        plug(x, c.inlet, in);
        x.fade.setValue(c.fade);
        runBlocks(x, 200);
        for (std::uint32_t s = 0; s < SGBlockSize; ++s) {
            ASSERT_NEAR(x.outletSignal(0)[s], in[s], kSettled) << c.inlet << " " << s;
            ASSERT_NEAR(x.outletSignal(1)[s], in[s], kSettled) << c.inlet << " " << s;
        }
    }
}

TEST(Crossfader, ANewCrossfaderRisesToSideAAtUnityAndNothingConnectedIsSilent) {
    VTCrossfader x;
    SGSignal a = testBlock(3), b = testBlock(4);
    plug(x, 0, a);
    plug(x, 3, b);
    runBlocks(x, 200);
    EXPECT_NEAR(x.smootherA().current, 1.0f, kSettled);
    EXPECT_EQ(x.smootherB().current, 0.0f) << "B stays at exact silence";
    EXPECT_NEAR(x.outletSignal(0)[10], a[10], kSettled);
    EXPECT_NEAR(x.outletSignal(1)[10], a[10], kSettled);

    VTCrossfader idle;
    scribble(idle);
    idle.process();
    EXPECT_EQ(samples(idle.outletSignal(0)), samples(SGZeroSignal));
    EXPECT_EQ(samples(idle.outletSignal(1)), samples(SGZeroSignal));
}

TEST(Crossfader, ProcessAllocatesNothing) {
    VTCrossfader x;
    SGSignal in = testBlock(0);
    for (int i = 0; i < 4; ++i) plug(x, i, in);
    x.fade.setValue(0.3);
    EXPECT_NO_AUDIO_ALLOCATION(runBlocks(x, 8));
}

}  // namespace
