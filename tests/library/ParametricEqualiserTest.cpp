#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "EffectTestKit.h"
#include "library/filters/VTMonoParametric.h"
#include "library/filters/VTStereoParametric.h"
#include "support/AudioThreadGuard.h"

namespace {

using namespace effect_kit;

// The input through the equaliser's DC blocker alone.
std::vector<float> dcBlocked(const std::vector<float>& in) {
    SGDCBlocker blocker;
    std::vector<float> out(in.size());
    for (std::size_t n = 0; n < in.size(); ++n) out[n] = blocker.step(in[n]);
    return out;
}

// Level of a steady sine after the equaliser, relative to the input, in dB.
double gainAt(VTMonoParametric& eq, double hz) {
    silence(eq.dither());
    const std::size_t samples = blocksFor(0.5) * SGBlockSize;
    auto in = sine(hz, samples, 0.1f);
    auto out = run(eq, {in}, samples);
    const std::size_t from = samples / 2;
    return decibels(rms(out[0], from, samples) / rms(in, from, samples));
}

TEST(ParametricEqualiser, AllGainsZeroLeaveOnlyTheDcBlocker) {
    VTMonoParametric eq;
    silence(eq.dither());
    auto in = sine(1234.0, 16 * SGBlockSize, 0.7f);
    for (std::size_t n = 0; n < in.size(); n += 37) in[n] += 0.3f;  // some clicks
    auto out = run(eq, {in}, in.size());
    auto expected = dcBlocked(in);
    for (std::size_t n = 0; n < in.size(); ++n) ASSERT_NEAR(out[0][n], expected[n], 1e-6f) << n;
}

TEST(ParametricEqualiser, APeakingBandGivesItsGainAtItsCentreAndLittleFarAway) {
    struct Case {
        double centre, width, gainDb, far;
    } cases[] = {
        {1000.0, 200.0, 6.0, 8000.0}, {3000.0, 500.0, -12.0, 300.0}, {200.0, 100.0, 20.0, 12000.0}};
    for (const Case& c : cases) {
        VTMonoParametric eq;
        eq.bp1CenterFrequency.setValue(c.centre);
        eq.bp1Bandwidth.setValue(c.width);
        eq.bp1Gain.setValue(c.gainDb);
        EXPECT_NEAR(gainAt(eq, c.centre), c.gainDb, 0.1) << c.centre;
        VTMonoParametric far;
        far.bp1CenterFrequency.setValue(c.centre);
        far.bp1Bandwidth.setValue(c.width);
        far.bp1Gain.setValue(c.gainDb);
        EXPECT_NEAR(gainAt(far, c.far), 0.0, 0.5) << c.centre;
    }
    VTMonoParametric six;
    six.bp2Gain.setValue(6.0);
    six.process();
    EXPECT_NEAR(six.band2().G, 1.9953, 0.00005);
}

TEST(ParametricEqualiser, ShelvesLiftTheirSideAndLeaveTheOther) {
    struct Case {
        bool low;
        double cutoff, gainDb, inside, outside;
    } cases[] = {{true, 300.0, 12.0, 25.0, 10000.0},
                 {true, 1000.0, -18.0, 40.0, 15000.0},
                 {false, 3000.0, 12.0, 21000.0, 100.0},
                 {false, 6000.0, -9.0, 21000.0, 200.0}};
    for (const Case& c : cases) {
        auto make = [&] {
            auto eq = std::make_unique<VTMonoParametric>();
            (c.low ? eq->lsCutoffFrequency : eq->hsCutoffFrequency).setValue(c.cutoff);
            (c.low ? eq->lsGain : eq->hsGain).setValue(c.gainDb);
            return eq;
        };
        auto inside = make();
        EXPECT_NEAR(gainAt(*inside, c.inside), c.gainDb, 0.5) << c.cutoff;
        auto outside = make();
        EXPECT_NEAR(gainAt(*outside, c.outside), 0.0, 0.5) << c.cutoff;
    }
    VTMonoParametric twelve;
    twelve.lsGain.setValue(12.0);
    twelve.process();
    EXPECT_NEAR(twelve.lowShelf().A, 1.9953, 0.00005);
    EXPECT_NEAR(twelve.lowShelf().beta, std::sqrt(2.0 * twelve.lowShelf().A), 1e-12);
}

TEST(ParametricEqualiser, AHighShelfAtTheNyquistFrequencyGivesItsFullGain) {
    // The alternating signal sits exactly at the top of the band, where the shelf's gain is A^2.
    VTMonoParametric eq;
    silence(eq.dither());
    eq.hsCutoffFrequency.setValue(5000.0);
    eq.hsGain.setValue(12.0);
    std::vector<float> in(32 * SGBlockSize);
    for (std::size_t n = 0; n < in.size(); ++n) in[n] = (n % 2 ? -0.1f : 0.1f);
    auto out = run(eq, {in}, in.size());
    EXPECT_NEAR(decibels(rms(out[0], in.size() / 2, in.size()) / 0.1), 12.0, 0.01);
}

TEST(ParametricEqualiser, ChangingOneSettingKeepsTheStoredOthers) {
    VTMonoParametric eq;
    eq.bp1CenterFrequency.setValue(2000.0);
    eq.bp1Gain.setValue(6.0);
    eq.process();
    eq.bp1Bandwidth.setValue(300.0);
    eq.process();
    const VTPeakSection& b = eq.band1();
    const double k = -std::cos(2.0 * std::numbers::pi * 2000.0 / SGSampleRate);
    const double t = std::tan(std::numbers::pi * 300.0 / SGSampleRate);
    const double a = (1.0 - t) / (1.0 + t);
    const double g = std::pow(10.0, 6.0 * 0.05);
    EXPECT_DOUBLE_EQ(b.k, k);
    EXPECT_DOUBLE_EQ(b.a, a);
    EXPECT_DOUBLE_EQ(b.G, g);
    EXPECT_DOUBLE_EQ(b.b0, (a + 1.0 + g - a * g) / 2.0);
    EXPECT_DOUBLE_EQ(b.b1, (a + 1.0) * k);
    EXPECT_DOUBLE_EQ(b.b2, (a + 1.0 - g + a * g) / 2.0);

    // The same for a shelf: a new gain uses the cutoff stored before.
    eq.lsCutoffFrequency.setValue(250.0);
    eq.process();
    const double cosW0 = eq.lowShelf().cosW0;
    eq.lsGain.setValue(-6.0);
    eq.process();
    EXPECT_EQ(eq.lowShelf().cosW0, cosW0);
    EXPECT_DOUBLE_EQ(eq.lowShelf().A, std::pow(10.0, -6.0 * 0.025));
}

TEST(ParametricEqualiser, StereoRunsBothChannelsWithOneSettingAndOneDither) {
    VTStereoParametric stereo;
    VTMonoParametric left, right;
    for (SGNoise* n : {&stereo.dither(), &left.dither(), &right.dither()}) n->seed = 0x2a2a0000;
    // The left channel takes the first block of draws, the right the next one.
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) right.dither().next();
    for (auto* eq :
         {static_cast<VTParametricEqualiser*>(&stereo), static_cast<VTParametricEqualiser*>(&left),
          static_cast<VTParametricEqualiser*>(&right)}) {
        eq->hsGain.setValue(-6.0);
        eq->bp1Gain.setValue(9.0);
        eq->lsGain.setValue(3.0);
    }
    const std::size_t samples = SGBlockSize;  // one block, so the dither streams stay aligned
    auto inL = sine(440.0, samples), inR = sine(4400.0, samples, 0.3f);
    auto s = run(stereo, {inL, inR}, samples);
    auto l = run(left, {inL}, samples);
    auto r = run(right, {inR}, samples);
    for (std::size_t n = 0; n < samples; ++n) {
        ASSERT_EQ(s[0][n], l[0][n]) << n;
        ASSERT_EQ(s[1][n], r[0][n]) << n;
    }
}

TEST(ParametricEqualiser, ProcessAllocatesNothing) {
    VTStereoParametric eq;
    eq.process();
    EXPECT_NO_AUDIO_ALLOCATION(for (int i = 0; i < 16; ++i) eq.process());
    eq.hsGain.setValue(3.0);
    eq.bp2Bandwidth.setValue(400.0);
    eq.lsCutoffFrequency.setValue(60.0);
    EXPECT_NO_AUDIO_ALLOCATION(eq.process());
}

}  // namespace
