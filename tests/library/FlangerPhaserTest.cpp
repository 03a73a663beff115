#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "EffectTestKit.h"
#include "library/effects/VTFlanger.h"
#include "library/effects/VTPhaser.h"
#include "support/AudioThreadGuard.h"

namespace {

using namespace effect_kit;

// --- the sweep ----------------------------------------------------------------------------------

TEST(SweepLfo, RateOneMovesAbout5Point944TableEntriesPerBlock) {
    VTFlanger flanger;
    flanger.process();
    EXPECT_NEAR(flanger.lfo().oscillator().increment(), 1024.0 / 172.265625, 1e-12);
    EXPECT_NEAR(flanger.lfo().oscillator().increment(), 5.944, 0.0005);
    EXPECT_NEAR(flanger.lfo().oscillator().phase(), 5.944, 0.0005);

    VTPhaser phaser;
    phaser.rate.setValue(0.001);
    phaser.process();
    EXPECT_NEAR(phaser.lfo().oscillator().increment(), 1024.0 * 0.001 / 172.265625, 1e-12);
}

TEST(Flanger, TheCombFollowsTheSweepBetweenTheEndsOfTheRange) {
    VTFlanger flanger;
    std::vector<double> tuned;
    const double inc = 1024.0 / 172.265625;
    for (int b = 0; b < 40; ++b) {
        flanger.process();
        // The sweep is a sine between 0 and 1 that starts at the middle, rising.
        const double sweep = 0.5 + 0.5 * std::sin(2.0 * std::numbers::pi * b * inc / 1024.0);
        const double f = 440.0 + sweep * (1600.0 - 440.0);
        ASSERT_NEAR(flanger.comb().frequency(), f, 0.05) << b;
        tuned.push_back(flanger.comb().frequency());
    }
    EXPECT_NEAR(tuned[0], 1020.0, 1e-3);
    // Each block's delay target is one period of that block's tuning; the ramp glides to it.
    EXPECT_NEAR(flanger.comb().delay().current(), SGSampleRate / tuned.back(), 1e-6);
}

TEST(Flanger, AFixedRangeIsAFixedCombOfOnePeriod) {
    VTFlanger flanger;
    silence(flanger.dither());
    flanger.frequencyRange.setValue(440.0f, 440.0f);
    flanger.feedback.setValue(0.0);
    flanger.wetDryMix.setValue(1.0);
    auto out = run(flanger, {impulse(4 * SGBlockSize)}, 4 * SGBlockSize);
    EXPECT_NEAR(flanger.comb().delay().current(), 100.227, 0.0005);
    EXPECT_EQ(flanger.comb().delay().remaining(), 0);
    const float wet = flanger.gains().wet;
    // 100.227 samples: the impulse splits between samples 100 and 101.
    const float frac = 101.0f - static_cast<float>(SGSampleRate / 440.0f);
    EXPECT_NEAR(out[0][100], wet * frac * SGDCBlocker::kA, 1e-5f);
    EXPECT_NEAR(out[0][101], wet * (1.0f - frac) * SGDCBlocker::kA, 5e-4f);
    for (std::size_t n = 1; n < 100; ++n) ASSERT_LT(std::fabs(out[0][n]), 1e-5f) << n;
}

TEST(Flanger, FeedbackRepeatsTheImpulseEveryPeriod) {
    VTFlanger flanger;
    silence(flanger.dither());
    flanger.frequencyRange.setValue(441.0f, 441.0f);  // exactly 100 samples
    flanger.feedback.setValue(0.5);
    flanger.wetDryMix.setValue(1.0);
    auto out = run(flanger, {impulse(4 * SGBlockSize)}, 4 * SGBlockSize);
    const float wet = flanger.gains().wet;
    for (int k = 1; k <= 5; ++k) {
        const float expected = wet * std::pow(0.5f, static_cast<float>(k - 1));
        EXPECT_NEAR(out[0][static_cast<std::size_t>(100 * k)], expected, 0.002f) << k;
    }
}

TEST(Flanger, WetDryMixZeroPassesTheInput) {
    VTFlanger flanger;
    flanger.wetDryMix.setValue(0.0);
    auto in = sine(300.0, 8 * SGBlockSize, 0.5f);
    auto out = run(flanger, {in}, in.size());
    for (std::size_t n = 0; n < in.size(); ++n) ASSERT_NEAR(out[0][n], in[n] * 0.99985f, 2e-6f);
    EXPECT_LT(std::fabs(flanger.gains().wet), 2e-7f) << "the comb is weighted by about 1.6e-7";
}

TEST(Flanger, ProcessAllocatesNothing) {
    VTFlanger flanger;
    flanger.process();
    EXPECT_NO_AUDIO_ALLOCATION(for (int i = 0; i < 16; ++i) flanger.process());
    flanger.rate.setValue(20.0);
    flanger.feedback.setValue(0.2);
    flanger.wetDryMix.setValue(0.3);
    flanger.frequencyRange.setValue(20.0f, 4000.0f);
    EXPECT_NO_AUDIO_ALLOCATION(flanger.process());
}

// --- phaser -------------------------------------------------------------------------------------

TEST(Phaser, DepthZeroGivesTheInputExactly) {
    VTPhaser phaser;
    phaser.depth.setValue(0.0);
    auto in = sine(700.0, 8 * SGBlockSize, 0.8f);
    auto out = run(phaser, {in}, in.size());
    for (std::size_t n = 0; n < in.size(); ++n) ASSERT_EQ(out[0][n], in[n]) << n;
}

TEST(Phaser, CoefficientsFollowTheSweptFrequency) {
    VTPhaser phaser;
    phaser.frequencyRange.setValue(20.0f, 20.0f);
    phaser.process();
    EXPECT_NEAR(phaser.pairs()[0].c, 0.99783f, 0.000005f);
    EXPECT_NEAR(phaser.pairs()[1].c, 0.99801f, 0.000005f);
    EXPECT_NEAR(phaser.pairs()[2].c, 0.99819f, 0.000005f);

    // At the defaults the first block sits at the middle of 440 ... 1600 Hz.
    VTPhaser defaults;
    defaults.process();
    const float a = 1020.0f / 22050.0f;
    EXPECT_NEAR(defaults.pairs()[2].c, (1.0f - a) / (1.0f + a), 1e-6f);
    EXPECT_NEAR(defaults.pairs()[0].c, (1.0f - 1.2f * a) / (1.0f + 1.2f * a), 1e-6f);
}

// The six sections without feedback pass every frequency at its own level: what is added to the
// input has the input's level, and cancels it where the phase turns by half a cycle.
TEST(Phaser, WithoutFeedbackTheSectionsPassEveryFrequencyAtFullLevel) {
    const float tuning = 1000.0f;
    const double x = tuning / 22050.0;
    std::vector<double> c;
    for (double s : {1.2, 1.1, 1.0}) {
        const auto xs = static_cast<float>(x * s);
        c.push_back((1.0f - xs) / (1.0f + xs));
    }
    // The phase of y = -c u + s, s = c y + u, that is (z^-1 - c) / (1 - c z^-1), twice per pair.
    // Each section turns by 0 ... -pi, so their sum falls steadily with frequency.
    auto phase = [&](double hz) {
        const double w = 2.0 * std::numbers::pi * hz / SGSampleRate;
        const std::complex<double> z1 = std::polar(1.0, -w);
        double sum = 0.0;
        for (double ck : c) sum += 2.0 * std::arg((z1 - ck) / (1.0 - ck * z1));
        return sum;
    };
    // The lowest frequency where the phase reaches half a cycle: a notch.
    double lo = 20.0, hi = 20000.0;
    for (int i = 0; i < 60; ++i) {
        const double mid = 0.5 * (lo + hi);
        (phase(mid) > -std::numbers::pi ? lo : hi) = mid;
    }
    const double notch = 0.5 * (lo + hi);
    ASSERT_GT(notch, 100.0);
    ASSERT_LT(notch, 10000.0);

    for (double hz : {notch, 0.5 * notch, 200.0, 3000.0}) {
        VTPhaser phaser;
        silence(phaser.dither());
        phaser.frequencyRange.setValue(tuning, tuning);
        phaser.feedback.setValue(0.0);
        auto in = sine(hz, 256 * SGBlockSize, 0.5f);
        auto out = run(phaser, {in}, in.size());
        std::vector<float> added(in.size());
        for (std::size_t n = 0; n < in.size(); ++n) added[n] = out[0][n] - in[n];
        const std::size_t from = 64 * SGBlockSize, to = in.size();
        EXPECT_NEAR(rms(added, from, to) / rms(in, from, to), 1.0, 0.01) << hz << " Hz";
        const double sum = rms(out[0], from, to) / rms(in, from, to);
        const double expected = std::abs(1.0 + std::polar(1.0, phase(hz)));
        EXPECT_NEAR(sum, expected, 0.02) << hz << " Hz";
        if (hz == notch) {
            EXPECT_LT(sum, 0.02) << "the notch";
        }
    }
}

TEST(Phaser, FeedbackChangesTheOutputFromTheSecondSampleOn) {
    // Nothing has been fed back at the first sample; from the second on the loop adds in.
    VTPhaser plain, fed;
    silence(plain.dither());
    silence(fed.dither());
    plain.feedback.setValue(0.0);
    fed.feedback.setValue(0.7);
    auto in = impulse(SGBlockSize);
    auto a = run(plain, {in}, in.size());
    auto b = run(fed, {in}, in.size());
    EXPECT_EQ(a[0][0], b[0][0]);
    // Six sections from rest: the impulse comes through scaled by the product of (-c)^2.
    float through = SGDCBlocker::kA;
    for (const auto& pair : plain.pairs()) through = through * pair.c * pair.c;
    EXPECT_NEAR(a[0][0] - 1.0f, through, 1e-6f);
    EXPECT_NE(a[0][1], b[0][1]);
    EXPECT_NE(fed.feedbackSample(), 0.0f);
}

TEST(Phaser, ProcessAllocatesNothing) {
    VTPhaser phaser;
    phaser.process();
    EXPECT_NO_AUDIO_ALLOCATION(for (int i = 0; i < 16; ++i) phaser.process());
    phaser.rate.setValue(50.0);
    phaser.depth.setValue(0.4);
    EXPECT_NO_AUDIO_ALLOCATION(phaser.process());
}

}  // namespace
