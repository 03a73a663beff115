#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "EffectTestKit.h"
#include "library/filters/VT5Combs.h"
#include "support/AudioThreadGuard.h"

namespace {

using namespace effect_kit;

// Only comb n sounds, at full input level.
void solo(VT5Combs& combs, int n) {
    silence(combs.dither());
    combs.inputGain.setValue(1.0);
    for (int k = 0; k < VT5Combs::kCombs; ++k) combs.gain[k].setValue(k == n ? 1.0 : 0.0);
}

TEST(FiveCombs, RingsAreBuiltForSixtyMilliseconds) {
    VT5Combs combs;
    for (int n = 0; n < VT5Combs::kCombs; ++n) EXPECT_EQ(combs.comb(n).length(), 2816u);
}

TEST(FiveCombs, IsAlmostSilentUntilTheInputGainIsRaised) {
    VT5Combs combs;
    auto in = sine(440.0, 32 * SGBlockSize);
    auto out = run(combs, {in}, in.size());
    double peak = 0.0;
    for (float v : out[0]) peak = std::max(peak, static_cast<double>(std::fabs(v)));
    EXPECT_LT(peak, 1e-5) << "only the dither excites the combs";
}

TEST(FiveCombs, FrequencyAndReverbTimeGiveDelayAndFeedback) {
    VT5Combs combs;
    combs.frequency[0].setValue(441.0);
    combs.reverbTime[0].setValue(1.0);
    combs.process();
    EXPECT_DOUBLE_EQ(combs.comb(0).delay().current(), 100.0);
    EXPECT_NEAR(combs.comb(0).feedback().current(), 0.98446, 0.000005);
    // The defaults: 110 Hz ringing for 1 s ... 1760 Hz for 5 s.
    const double f[] = {110, 220, 440, 880, 1760}, t[] = {1, 2, 3, 4, 5};
    for (int n = 1; n < VT5Combs::kCombs; ++n) {
        EXPECT_DOUBLE_EQ(combs.comb(n).delay().current(), SGSampleRate / f[n]) << n;
        EXPECT_DOUBLE_EQ(combs.comb(n).feedback().current(), std::pow(0.001, 1.0 / (f[n] * t[n])))
            << n;
    }
}

TEST(FiveCombs, EachCombRingsAtItsPeriodAndFalls60DecibelsInItsReverbTime) {
    // Periods that are whole samples, so each echo lands on one sample.
    struct Case {
        int comb;
        double hz, seconds;
    } cases[] = {
        {0, 441.0, 0.5}, {1, 882.0, 0.25}, {2, 220.5, 1.0}, {3, 1764.0, 0.1}, {4, 100.0, 2.0}};
    for (const Case& c : cases) {
        VT5Combs combs;
        solo(combs, c.comb);
        combs.frequency[c.comb].setValue(c.hz);
        combs.reverbTime[c.comb].setValue(c.seconds);
        const std::size_t samples = blocksFor(c.seconds + 0.05) * SGBlockSize;
        auto out = run(combs, {impulse(samples)}, samples);
        const auto period = static_cast<std::size_t>(std::lround(SGSampleRate / c.hz));
        for (std::size_t n = 1; n < period; ++n) ASSERT_LT(std::fabs(out[0][n]), 1e-3f) << n;
        // The DC blocker's slow undershoot builds up in the comb's own DC resonance; the echo is
        // the spike above its neighbours.
        auto echo = [&](std::size_t k) {
            const std::size_t n = k * period;
            return out[0][n] - 0.5 * (out[0][n - 1] + out[0][n + 1]);
        };
        EXPECT_NEAR(echo(1), 1.0, 0.001) << c.comb;
        // After as many periods as fit in the reverb time: down by 60 dB, less the part of a
        // period that does not fit.
        const std::size_t loops = static_cast<std::size_t>(c.hz * c.seconds);
        const double expected = -60.0 * static_cast<double>(loops - 1) / (c.hz * c.seconds);
        EXPECT_NEAR(decibels(echo(loops) / echo(1)), expected, 0.1) << c.comb;
    }
}

TEST(FiveCombs, ANewFrequencyAloneKeepsTheFeedbackOfTheOldOne) {
    VT5Combs combs;
    combs.process();
    const double before = combs.comb(2).feedback().current();
    EXPECT_DOUBLE_EQ(before, std::pow(0.001, 1.0 / (440.0 * 3.0)));
    combs.frequency[2].setValue(880.0);
    combs.process();
    EXPECT_EQ(combs.comb(2).feedback().current(), before);
    EXPECT_NEAR(combs.comb(2).delay().current(), SGSampleRate / 880.0, 1e-9);
    // Twice as many loops a second at the same feedback: it now rings for half the time.
    // A new reverb time is then taken against the stored 880 Hz.
    combs.reverbTime[2].setValue(3.0);
    combs.process();
    EXPECT_NEAR(combs.comb(2).feedback().current(), std::pow(0.001, 1.0 / (880.0 * 3.0)), 1e-12);
}

TEST(FiveCombs, TheOutputIsTheGainWeightedSumOfTheCombsAlone) {
    const std::size_t samples = 16 * SGBlockSize;
    auto in = impulse(samples);
    std::vector<std::vector<float>> single;
    for (int n = 0; n < VT5Combs::kCombs; ++n) {
        VT5Combs combs;
        solo(combs, n);
        single.push_back(run(combs, {in}, samples)[0]);
    }
    VT5Combs all;
    silence(all.dither());
    all.inputGain.setValue(0.5);
    const double g[] = {0.25, 1.5, 0.0, 0.75, 1.0};
    for (int n = 0; n < VT5Combs::kCombs; ++n) all.gain[n].setValue(g[n]);
    auto out = run(all, {in}, samples)[0];
    for (std::size_t k = 0; k < samples; ++k) {
        double expected = 0.0;
        for (int n = 0; n < VT5Combs::kCombs; ++n) expected += 0.5 * g[n] * single[n][k];
        ASSERT_NEAR(out[k], expected, 1e-5) << k;
    }
    EXPECT_EQ(out[0], 0.0f) << "no dry signal";
}

TEST(FiveCombs, ProcessAllocatesNothing) {
    VT5Combs combs;
    combs.inputGain.setValue(1.0);
    combs.process();
    EXPECT_NO_AUDIO_ALLOCATION(for (int i = 0; i < 16; ++i) combs.process());
    combs.frequency[4].setValue(16.0);
    combs.reverbTime[0].setValue(10.0);
    EXPECT_NO_AUDIO_ALLOCATION(combs.process());
}

}  // namespace
