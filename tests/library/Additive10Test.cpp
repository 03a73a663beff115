#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "ProcessorFixtures.h"
#include "library/generators/VTAdditive10.h"
#include "support/AudioThreadGuard.h"

namespace {

using namespace vantrel::test;

// The oscillator written out plainly, harmonic after harmonic, to hold the processor to.
struct ReferenceAdditive {
    float current = 100.0f, target = 100.0f;
    float pole, input;
    std::array<float, 10> x{}, y{}, s{}, c{};

    explicit ReferenceAdditive(const VTAdditive10& osc)
        : pole(osc.frequencySmoother().pole), input(osc.frequencySmoother().inputGain) {
        x.fill(1.0f);
        steps(100.0f);
    }
    void steps(float f) {
        for (int k = 0; k < 10; ++k) {
            float fk = f + f * static_cast<float>(k);
            float w = static_cast<float>(6.283185 * fk / SGSampleRate);
            s[k] = static_cast<float>(std::sin(static_cast<double>(w)));
            c[k] = static_cast<float>(std::cos(static_cast<double>(w)));
        }
    }
    void block(const VTAdditive10& osc, float* out) {
        current = input * target + pole * current;
        steps(current);
        for (int k = 0; k < 10; ++k) {
            double g = osc.amps[k].value() * 0.5 * osc.gain.value();
            for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
                float yn = static_cast<float>(double{s[k]} * x[k] + double{c[k]} * y[k]);
                x[k] = static_cast<float>(double{c[k]} * x[k] - double{s[k]} * y[k]);
                y[k] = yn;
                out[i] = k == 0 ? static_cast<float>(yn * g) : static_cast<float>(out[i] + yn * g);
            }
        }
    }
};

TEST(Additive10, BlockRateSmootherHasTheFiveHertzPole) {
    VTAdditive10 osc;
    EXPECT_EQ(osc.frequencySmoother().sampleRate, static_cast<float>(SGSampleRate / SGBlockSize));
    EXPECT_NEAR(osc.frequencySmoother().pole, 0.8337133f, 1e-7);
    EXPECT_NEAR(osc.frequencySmoother().inputGain, 0.1662867f, 1e-7);
    EXPECT_EQ(osc.frequencySmoother().current, 100.0f);
}

TEST(Additive10, IsSilentUntilGainIsRaisedThenGivesA100HertzSineOfPeakHalf) {
    VTAdditive10 osc;
    for (int b = 0; b < 3; ++b) {
        scribble(osc);
        osc.process();
        ASSERT_EQ(samples(osc.outletSignal(0)), samples(SGZeroSignal));
    }
    VTAdditive10 sine;
    sine.gain.setValue(1.0);
    std::vector<float> out;
    for (int b = 0; b < 4 * 172; ++b) {  // four seconds
        sine.process();
        out.insert(out.end(), sine.outletSignal(0).samples(),
                   sine.outletSignal(0).samples() + SGBlockSize);
    }
    const double w = 2 * M_PI * 100.0 / SGSampleRate;
    EXPECT_NEAR(out[0], 0.5 * std::sin(w), 1e-6) << "starts at phase 0";
    float peak = 0.0f;
    int crossings = 0;
    for (std::size_t n = 0; n < out.size(); ++n) {
        peak = std::max(peak, std::fabs(out[n]));
        if (n > 0 && (out[n - 1] < 0.0f) != (out[n] < 0.0f)) ++crossings;
        ASSERT_NEAR(out[n], 0.5 * std::sin(w * (n + 1)), 2e-3) << n;
    }
    EXPECT_NEAR(peak, 0.5f, 1e-3);
    EXPECT_NEAR(crossings, 2 * 100 * out.size() / SGSampleRate, 2);
}

TEST(Additive10, FollowsTheHarmonicSumSampleForSampleThroughAGlide) {
    VTAdditive10 osc;
    ReferenceAdditive ref(osc);
    osc.gain.setValue(0.8);
    const double amps[10] = {0.9, 0.0, 0.5, 0.25, 1.0, 0.1, 0.0, 0.7, 0.3, 0.05};
    for (int k = 0; k < 10; ++k) osc.amps[k].setValue(amps[k]);
    float want[SGBlockSize];
    for (int b = 0; b < 60; ++b) {
        if (b == 10) {
            osc.frequency.setValue(1234.5);
            ref.target = 1234.5f;
        }
        if (b == 30) osc.gain.setValue(0.3);
        osc.process();
        ref.block(osc, want);
        for (std::uint32_t i = 0; i < SGBlockSize; ++i)
            ASSERT_EQ(osc.outletSignal(0)[i], want[i]) << "block " << b << " sample " << i;
    }
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(osc.phasorX(k), ref.x[k]) << k;
        EXPECT_EQ(osc.phasorY(k), ref.y[k]) << k;
    }
}

TEST(Additive10, AGlideFrom100To200ArrivesWithinOneHertzAfter26Blocks) {
    VTAdditive10 osc;
    osc.process();
    osc.frequency.setValue(200.0);
    for (int b = 0; b < 25; ++b) osc.process();
    EXPECT_GT(std::fabs(osc.frequencySmoother().current - 200.0f), 1.0f);
    osc.process();
    EXPECT_LE(std::fabs(osc.frequencySmoother().current - 200.0f), 1.0f);
    // The glide moves the steps only; the phasors go on without a jump.
    const float x = osc.phasorX(0), y = osc.phasorY(0);
    osc.frequency.setValue(1000.0);
    osc.process();
    EXPECT_NEAR(std::hypot(osc.phasorX(0), osc.phasorY(0)), std::hypot(x, y), 1e-4);
}

TEST(Additive10, AtTheTopOfTheRangeTheTenthHarmonicStaysBelowHalfTheSampleRate) {
    VTAdditive10 osc;
    osc.frequency.setValue(2000.0);
    osc.gain.setValue(1.0);
    osc.amps[0].setValue(0.0);
    osc.amps[9].setValue(1.0);
    for (int b = 0; b < 172; ++b) osc.process();  // the glide from 100 Hz has arrived
    EXPECT_NEAR(osc.frequencySmoother().current, 2000.0f, 1e-2);
    int crossings = 0;
    float previous = 0.0f, peak = 0.0f;
    for (int b = 0; b < 172; ++b) {
        osc.process();
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
            const float v = osc.outletSignal(0)[i];
            if ((previous < 0.0f) != (v < 0.0f)) ++crossings;
            previous = v;
            peak = std::max(peak, std::fabs(v));
        }
    }
    const double seconds = 172.0 * SGBlockSize / SGSampleRate;
    EXPECT_NEAR(crossings / seconds, 2 * 20000.0, 200.0) << "a 20 kHz tone";
    EXPECT_LE(peak, 0.5f + 1e-3f);
}

TEST(Additive10, AllAmplitudesZeroGiveSilenceWhateverTheGain) {
    VTAdditive10 osc;
    osc.gain.setValue(1.0);
    osc.amps[0].setValue(0.0);
    for (int b = 0; b < 5; ++b) {
        osc.process();
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) ASSERT_EQ(osc.outletSignal(0)[i], 0.0f);
    }
}

TEST(Additive10, ProcessAllocatesNothing) {
    VTAdditive10 osc;
    osc.gain.setValue(1.0);
    for (int k = 0; k < 10; ++k) osc.amps[k].setValue(0.5);
    osc.frequency.setValue(440.0);
    EXPECT_NO_AUDIO_ALLOCATION(for (int b = 0; b < 8; ++b) osc.process());
}

}  // namespace
