#include <gtest/gtest.h>

#include <cmath>

#include "ProcessorFixtures.h"
#include "dsp/SGOscillator.h"
#include "library/effects/VTRingAM.h"
#include "signal/SGDCBlocker.h"
#include "support/AudioThreadGuard.h"

namespace {

using namespace vantrel::test;

// What the modulator does to one input: dither, the input, then its DC blocker.
struct Conditioner {
    SGDCBlocker blocker;
    void run(SGNoise& dither, const SGSignal& in, float* out) {
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
            float v = static_cast<float>(dither.next());
            out[i] = blocker.step(v + in[i]);
        }
    }
};

TEST(RingAM, DefaultIncrementIsFourHundredFortyHertzOfTheTable) {
    VTRingAM ring;
    EXPECT_EQ(ring.oscillator().increment(), 1.0) << "before the first block";
    ring.process();
    EXPECT_NEAR(ring.oscillator().increment(), 10.2168, 1e-4);
    EXPECT_EQ(ring.oscillator().increment(), 1024.0 / (SGSampleRate / 440.0));
}

TEST(RingAM, RingAndAMModesMultiplyTheConditionedInputByTheSine) {
    for (bool am : {false, true}) {
        VTRingAM ring;
        ring.dither().seed = 0x12340000;
        ring.am.setValue(am);
        ring.frequency.setValue(1000.0);
        SGSignal in = testBlock(2);
        plug(ring, 0, in);

        SGNoise dither = ring.dither();
        Conditioner cond;
        SGFunctionTable sine(1024);
        sine.addHarmonic(1, 1, 0, 0);
        SGOscillator osc(sine);
        osc.setIncrement(1024.0 / (SGSampleRate / 1000.0));
        int flips = 0;
        for (int b = 0; b < 20; ++b) {
            ring.process();
            float x[SGBlockSize];
            cond.run(dither, in, x);
            for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
                const float t = osc.tick();
                const float want = am ? (t + 1.0f) * 0.5f * x[i] : t * x[i];
                const float got = ring.outletSignal(0)[i];
                ASSERT_EQ(got, want) << am << " block " << b << " sample " << i;
                if (am) {
                    ASSERT_TRUE(got == 0.0f || (got < 0.0f) == (x[i] < 0.0f)) << i;
                } else if (got != 0.0f && (got < 0.0f) != (x[i] < 0.0f)) {
                    ++flips;
                }
            }
        }
        if (!am) {
            EXPECT_GT(flips, 1000) << "ring modulation turns the sign with the sine";
        }
    }
}

TEST(RingAM, ASteadyInputIsRemovedByTheDCBlocker) {
    for (bool am : {false, true}) {
        VTRingAM ring;
        ring.am.setValue(am);
        SGSignal dc(0.5f);
        plug(ring, 0, dc);
        float early = 0.0f, late = 0.0f;
        for (int b = 0; b < 400; ++b) {  // a little over two seconds
            ring.process();
            for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
                const float v = std::fabs(ring.outletSignal(0)[i]);
                if (b < 2) early = std::max(early, v);
                if (b == 399) late = std::max(late, v);
            }
        }
        EXPECT_GT(early, 0.3f) << am;
        EXPECT_LT(late, 1e-5f) << am;
    }
}

TEST(RingAM, ASecondInputReplacesTheSineAndTheSineHoldsItsPhase) {
    VTRingAM ring;
    ring.dither().seed = 0x00010000;
    ring.am.setValue(true);  // no effect on two inputs
    SGSignal a = testBlock(1), m = testBlock(5);
    plug(ring, 0, a);
    ring.process();
    ring.process();
    const double phase = ring.oscillator().phase();

    plug(ring, 1, m);
    SGNoise dither = ring.dither();
    Conditioner first, second;
    // The first input's blocker has run two blocks already: replay them.
    {
        SGNoise replay;
        replay.seed = 0x00010000;
        replay.offset = dither.offset;
        replay.scale = dither.scale;
        float skip[SGBlockSize];
        first.run(replay, a, skip);
        first.run(replay, a, skip);
    }
    for (int b = 0; b < 4; ++b) {
        ring.process();
        float x[SGBlockSize], y[SGBlockSize];
        first.run(dither, a, x);
        second.run(dither, m, y);
        for (std::uint32_t i = 0; i < SGBlockSize; ++i)
            ASSERT_EQ(ring.outletSignal(0)[i], x[i] * y[i]) << b << " " << i;
        EXPECT_EQ(ring.oscillator().phase(), phase) << "the sine is not ticked";
    }
    unplug(ring, 1);
    ring.process();
    EXPECT_NE(ring.oscillator().phase(), phase) << "the sine resumes";
}

TEST(RingAM, ASilentSecondInputLeavesOnlyDitherProducts) {
    VTRingAM ring;
    SGSignal a = testBlock(1), silent(0.0f);  // connected, but to a silent source
    plug(ring, 0, a);
    plug(ring, 1, silent);
    float peak = 0.0f;
    for (int b = 0; b < 10; ++b) {
        ring.process();
        for (std::uint32_t i = 0; i < SGBlockSize; ++i)
            peak = std::max(peak, std::fabs(ring.outletSignal(0)[i]));
    }
    EXPECT_LT(peak, 1e-7f);
}

TEST(RingAM, AFrequencyChangeTakesEffectAtTheNextBlockWithoutAPhaseJump) {
    VTRingAM ring;
    ring.process();
    const double phase = ring.oscillator().phase();
    ring.frequency.setValue(100.0);
    ring.process();
    EXPECT_EQ(ring.oscillator().increment(), 1024.0 / (SGSampleRate / 100.0));
    double expected = phase + SGBlockSize * ring.oscillator().increment();
    while (expected > 1024.0) expected -= 1024.0;
    EXPECT_NEAR(ring.oscillator().phase(), expected, 1e-6);
}

TEST(RingAM, ProcessAllocatesNothing) {
    VTRingAM ring;
    SGSignal a = testBlock(1), m = testBlock(2);
    plug(ring, 0, a);
    EXPECT_NO_AUDIO_ALLOCATION(ring.process(); ring.process());
    plug(ring, 1, m);
    EXPECT_NO_AUDIO_ALLOCATION(ring.process(); ring.process());
}

}  // namespace
