#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "EffectTestKit.h"
#include "library/effects/VTSDelay.h"
#include "signal/SGDynSigContext.h"
#include "signal/SGTempo.h"
#include "support/AudioThreadGuard.h"

namespace {

using namespace effect_kit;

constexpr double k120 = 918.75;  // samples per tick at 120 beats per minute

TEST(StereoDelay, LinesHoldTwoPointOneSeconds) {
    VTSDelay delay;
    EXPECT_EQ(delay.leftLine().length(), 92928u);
    EXPECT_EQ(delay.rightLine().length(), 92928u);
}

TEST(StereoDelay, DelaySettingsBecomeMillisecondsWithin20To2000) {
    struct Case {
        int setting;
        bool semiquavers;
        double samplesPerTick;
        int ms;
    } cases[] = {
        {5, false, k120, 20},
        {20, false, k120, 20},
        {200, false, k120, 200},
        {2000, false, k120, 2000},
        {2500, false, k120, 2000},
        {-7, false, k120, 20},
        {1, true, k120, 125},
        {3, true, k120, 375},
        {32, true, k120, 2000},
        {16, true, k120, 2000},
        {15, true, k120, 1875},
        // 90 bpm: 166.67 ms a semiquaver, cut to whole milliseconds.
        {1, true, sgSamplesPerTickFromTempo(90.0), 166},
        {5, true, sgSamplesPerTickFromTempo(90.0), 833},
        // 600 bpm: 25 ms; 1000 bpm: 15 ms, held at 20.
        {1, true, sgSamplesPerTickFromTempo(600.0), 25},
        {1, true, sgSamplesPerTickFromTempo(1000.0), 20},
        // Settings that would overflow an integer.
        {2147483647, true, k120, 2000},
        {-2147483647 - 1, true, k120, 20},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VTSDelay::effectiveMs(c.setting, c.semiquavers, c.samplesPerTick), c.ms)
            << c.setting << (c.semiquavers ? " semiquavers" : " ms") << " at " << c.samplesPerTick;
    EXPECT_DOUBLE_EQ(VTSDelay::msPerSemiquaver(k120), 125.0);
}

// The first sample of the output where an impulse shows.
std::size_t firstEcho(const std::vector<float>& v) {
    for (std::size_t n = 0; n < v.size(); ++n)
        if (std::fabs(v[n]) > 0.25f) return n;
    return v.size();
}

TEST(StereoDelay, AMonoInputIsDelayedByEachSidesOwnTime) {
    VTSDelay delay;
    silence(delay.dither());
    delay.feedback.setValue(0.0);
    delay.leftDelay.setValue(5);  // taken as 20 ms
    delay.rightDelay.setValue(300);
    const std::size_t samples = blocksFor(0.5) * SGBlockSize;
    auto out = run(delay, {impulse(samples), {}}, samples);
    EXPECT_EQ(firstEcho(out[0]), 882u);
    EXPECT_EQ(firstEcho(out[1]), 13230u);
    const float wet = delay.gains().wet;  // 0.99985 with the mix at 1
    EXPECT_EQ(out[0][882], wet);
    EXPECT_EQ(out[1][13230], wet);
    double rest = 0.0;
    for (std::size_t n = 0; n < samples; ++n)
        rest += std::fabs(out[0][n]) * (n != 882) + std::fabs(out[1][n]) * (n != 13230);
    EXPECT_LT(rest, 1e-5) << "one echo each, nothing else with the mix fully wet";
}

TEST(StereoDelay, AStereoInputCrossesOverAndFeedbackComesFromTheRight) {
    VTSDelay delay;
    silence(delay.dither());
    delay.feedback.setValue(0.0);
    delay.leftDelay.setValue(100);
    delay.rightDelay.setValue(250);
    const std::size_t samples = blocksFor(0.5) * SGBlockSize;
    std::vector<float> in0(samples, 0.0f), in1(samples, 0.0f);
    in0[0] = 1.0f;    // inlet 0 at once
    in1[441] = 1.0f;  // inlet 1 10 ms later
    auto out = run(delay, {in0, in1}, samples);
    EXPECT_EQ(firstEcho(out[0]), 441u + 4410u) << "left: inlet 1 after the left time";
    EXPECT_EQ(firstEcho(out[1]), 11025u) << "right: inlet 0 after the right time";
}

TEST(StereoDelay, TheRightOutletFeedsBothLines) {
    VTSDelay delay;
    silence(delay.dither());
    delay.feedback.setValue(0.5);
    delay.leftDelay.setValue(100);
    delay.rightDelay.setValue(300);
    const std::size_t samples = blocksFor(1.0) * SGBlockSize;
    auto out = run(delay, {impulse(samples), {}}, samples);
    const std::size_t l = 4410, r = 13230;
    // What is fed back is the right line's output before the mix.
    const float wet = delay.gains().wet;
    EXPECT_EQ(out[0][l], wet);
    EXPECT_EQ(out[1][r], wet);
    EXPECT_EQ(out[1][2 * r], 0.5f * wet);
    EXPECT_EQ(out[0][r + l], 0.5f * wet) << "the right echo comes back on the left too";
    EXPECT_EQ(out[0][2 * l], 0.0f) << "the left outlet is not fed back";
}

TEST(StereoDelay, SemiquaverDelaysFollowTheTempoFromBlockToBlock) {
    SGDynSigContext context;
    VTSDelay delay;
    delay.setContext(&context);
    silence(delay.dither());
    delay.feedback.setValue(0.0);
    delay.delayUnits.setValue(VTSDelay::kSemiquavers);
    delay.leftDelay.setValue(3);
    delay.rightDelay.setValue(1);
    context.setSamplesPerTick(k120);
    const std::size_t samples = blocksFor(0.6) * SGBlockSize;
    auto out = run(delay, {impulse(samples), {}}, samples);
    EXPECT_EQ(firstEcho(out[0]), 16537u) << "375 ms";
    EXPECT_EQ(firstEcho(out[1]), 5512u) << "125 ms";

    // At 150 bpm a semiquaver is 100 ms; the next block already reads at the new time.
    context.setSamplesPerTick(sgSamplesPerTickFromTempo(150.0));
    std::vector<float> in(samples, 0.0f);
    in[0] = 1.0f;
    auto faster = run(delay, {in, {}}, samples);
    EXPECT_EQ(firstEcho(faster[0]), 13230u) << "300 ms";
    EXPECT_EQ(firstEcho(faster[1]), 4410u) << "100 ms";
    delay.setContext(nullptr);
}

TEST(StereoDelay, WetDryMixZeroPassesEachInputOnItsOwnSide) {
    VTSDelay delay;
    delay.wetDryMix.setValue(0.0);
    const std::size_t samples = 8 * SGBlockSize;
    auto a = sine(300.0, samples), b = sine(500.0, samples, 0.5f);
    auto mono = run(delay, {a, {}}, samples);
    for (std::size_t n = 0; n < SGBlockSize; ++n) {
        ASSERT_NEAR(mono[0][n], a[n] * 0.99985f, 1e-6f);
        ASSERT_NEAR(mono[1][n], a[n] * 0.99985f, 1e-6f);
    }
    VTSDelay stereo;
    stereo.wetDryMix.setValue(0.0);
    auto both = run(stereo, {a, b}, samples);
    for (std::size_t n = 0; n < SGBlockSize; ++n) {
        ASSERT_NEAR(both[0][n], a[n] * 0.99985f, 1e-6f);
        ASSERT_NEAR(both[1][n], b[n] * 0.99985f, 1e-6f);
    }
}

TEST(StereoDelay, ProcessAllocatesNothing) {
    VTSDelay delay;
    delay.process();
    EXPECT_NO_AUDIO_ALLOCATION(for (int i = 0; i < 16; ++i) delay.process());
    delay.delayUnits.setValue(VTSDelay::kSemiquavers);
    delay.leftDelay.setValue(32);
    delay.wetDryMix.setValue(0.5);
    EXPECT_NO_AUDIO_ALLOCATION(delay.process());
}

}  // namespace
