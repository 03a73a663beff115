#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "EffectTestKit.h"
#include "library/effects/VTCmixReverb.h"
#include "support/AudioThreadGuard.h"

namespace {

using namespace effect_kit;

TEST(Reverb, CombsAreTunedToTheirLoopTimesWithAFallOf60DecibelsPerReverbTime) {
    VTCmixReverb reverb;
    const double delays[] = {1309.77, 1636.11, 1812.51, 1927.17};
    const double feedbacks[] = {0.8145, 0.7739, 0.7528, 0.7394};
    for (int n = 0; n < 4; ++n) {
        const SGComb& comb = reverb.reverb().comb(n);
        EXPECT_NEAR(comb.delay().current(), delays[n], 0.005) << n;
        EXPECT_NEAR(comb.feedback().current(), feedbacks[n], 0.00005) << n;
        EXPECT_NEAR(comb.frequency(), 1.0 / SGCmixReverb::kCombLoopTimes[n], 1e-9) << n;
        // Each ring holds its loop time and a tenth of a second more.
        const double seconds = SGCmixReverb::kCombLoopTimes[n] + 0.1;
        EXPECT_EQ(comb.length(), (static_cast<unsigned>(seconds * SGSampleRate) / 256) * 256 + 256);
    }
    EXPECT_NEAR(reverb.reverb().seriesAllpass().feedback().current(), 0.7000, 0.00005);
    EXPECT_NEAR(reverb.reverb().leftAllpass().feedback().current(), 0.7000, 0.00005);
    EXPECT_NEAR(reverb.reverb().rightAllpass().feedback().current(), 0.6975, 0.00005);
    EXPECT_NEAR(reverb.reverb().rightAllpass().delay().current(), 0.0017 * 1.01 * SGSampleRate,
                0.001);
    EXPECT_NEAR(reverb.reverb().seriesAllpass().delay().current(), 220.5, 0.001);
}

TEST(Reverb, ANewReverbTimeGlidesTheCombFeedbacksOverOneBlock) {
    VTCmixReverb reverb;
    reverb.process();
    reverb.reverbTime.setValue(4.0);
    reverb.process();
    for (int n = 0; n < 4; ++n) {
        const double target = std::pow(0.001, SGCmixReverb::kCombLoopTimes[n] / 4.0);
        const SGVInterp& fb = reverb.reverb().comb(n).feedback();
        EXPECT_EQ(fb.remaining(), 0) << n;
        EXPECT_NEAR(fb.current(), target, 1e-12) << n;
    }
    // The all-passes never change.
    EXPECT_NEAR(reverb.reverb().seriesAllpass().feedback().current(), 0.7000, 0.00005);
}

TEST(Reverb, WetDryMixZeroPassesTheInputOnBothOutlets) {
    VTCmixReverb reverb;
    silence(reverb.dither());
    reverb.wetDryMix.setValue(0.0);
    auto in = sine(500.0, 8 * SGBlockSize);
    auto out = run(reverb, {in}, in.size());
    for (std::size_t n = 0; n < in.size(); ++n) {
        ASSERT_NEAR(out[0][n], in[n] * 0.99985f, 2e-5f) << n;
        ASSERT_NEAR(out[1][n], in[n] * 0.99985f, 2e-5f) << n;
    }
    EXPECT_NEAR(reverb.gains().dry, 0.99985f, 0.00001f);
    EXPECT_LT(std::fabs(reverb.gains().wet), 1e-6f);
}

TEST(Reverb, AnImpulseReachesTheWetOutputsAfterTheShortestComb) {
    VTCmixReverb reverb;
    silence(reverb.dither());
    reverb.wetDryMix.setValue(1.0);
    auto out = run(reverb, {impulse(8 * SGBlockSize)}, 8 * SGBlockSize);
    const float wet = reverb.gains().wet;
    const float dry = reverb.gains().dry;
    // Comb 0 reads 1309.77 samples back: its first output is 0.23 of the impulse at sample 1309.
    // Both all-passes pass it on at once with gain -1, and the series one is scaled by 0.25.
    const float frac = 1310.0f - static_cast<float>(0.0297f * SGSampleRate);
    const float first = 0.25f * frac * SGDCBlocker::kA;
    for (int ch = 0; ch < 2; ++ch) {
        EXPECT_NEAR(out[ch][0], dry, 1e-9f) << "only the dry impulse at once";
        for (std::size_t n = 1; n < 1309; ++n) ASSERT_EQ(out[ch][n], 0.0f) << ch << " " << n;
        EXPECT_NEAR(out[ch][1309], first * wet, 1e-5f) << ch;
    }
}

TEST(Reverb, TheTailFallsBy60DecibelsInTheReverbTime) {
    // A low burst, so that the combs' interpolation (a gentle low-pass at every loop) takes
    // nothing from the tail and only the feedback sets its fall. The modes of the four combs
    // beat, so the fall is read from the backward-integrated energy, which is smooth: the time
    // from -5 to -25 dB, three times over, is the time for 60 dB.
    for (double seconds : {0.5, 1.0, 2.0}) {
        VTCmixReverb reverb;
        silence(reverb.dither());
        reverb.wetDryMix.setValue(1.0);
        reverb.reverbTime.setValue(seconds);
        const std::size_t samples = blocksFor(0.1 + 1.5 * seconds) * SGBlockSize;
        const std::size_t end = 2205;  // 50 ms of 40 Hz
        auto in = sine(40.0, samples);
        std::fill(in.begin() + static_cast<std::ptrdiff_t>(end), in.end(), 0.0f);
        auto out = run(reverb, {in}, samples);
        for (int ch = 0; ch < 2; ++ch) {
            std::vector<double> energy(samples + 1, 0.0);
            for (std::size_t n = samples; n-- > end;)
                energy[n] = energy[n + 1] + static_cast<double>(out[ch][n]) * out[ch][n];
            std::size_t t5 = 0, t25 = 0;
            for (std::size_t n = end; n < samples && t25 == 0; ++n) {
                const double db = 10.0 * std::log10(energy[n] / energy[end]);
                if (t5 == 0 && db < -5.0) t5 = n;
                if (db < -25.0) t25 = n;
            }
            ASSERT_GT(t25, t5) << seconds;
            const double t60 = 3.0 * static_cast<double>(t25 - t5) / SGSampleRate;
            EXPECT_NEAR(t60, seconds, 0.1 * seconds) << "outlet " << ch;
        }
    }
}

TEST(Reverb, LeftAndRightDiffer) {
    VTCmixReverb reverb;
    silence(reverb.dither());
    reverb.wetDryMix.setValue(1.0);
    auto out = run(reverb, {impulse(16 * SGBlockSize)}, 16 * SGBlockSize);
    double difference = 0.0;
    for (std::size_t n = 0; n < out[0].size(); ++n) difference += std::fabs(out[0][n] - out[1][n]);
    EXPECT_GT(difference, 0.1) << "the right all-pass is detuned by one per cent";
}

TEST(Reverb, ProcessAllocatesNothing) {
    VTCmixReverb reverb;
    reverb.process();
    EXPECT_NO_AUDIO_ALLOCATION(for (int i = 0; i < 16; ++i) reverb.process());
    reverb.reverbTime.setValue(7.0);
    reverb.wetDryMix.setValue(0.2);
    EXPECT_NO_AUDIO_ALLOCATION(reverb.process());
}

}  // namespace
