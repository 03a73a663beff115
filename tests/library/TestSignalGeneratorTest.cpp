#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "library/generators/VTTestSignalGenerator.h"
#include "params/SGPropertyUnits.h"
#include "support/AudioThreadGuard.h"

namespace {

// The properties and units the generator declares.
TEST(TestSignalGenerator, DeclaresAmplitudeFrequencyAndWaveform) {
    VTTestSignalGenerator gen;
    SGPropertyTable& table = gen.propertyTable();
    ASSERT_EQ(table.count(), 3);
    struct Row {
        const char* name;
        double minimum, maximum;
    } rows[] = {{"Amplitude", 0.0, 1.0}, {"Frequency", 10.0, 20000.0}, {"Waveform", 0.0, 0.0}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(table.info(i).name, rows[i].name);
        EXPECT_EQ(table.info(i).minimum, rows[i].minimum);
        EXPECT_EQ(table.info(i).maximum, rows[i].maximum);
    }
    EXPECT_EQ(table.info(0).units, SGGainUnits::instance());
    EXPECT_EQ(table.info(1).units, SGFrequencyUnits::instance());
    EXPECT_EQ(table.info(2).units, SGAbstractUnits::instance());
    EXPECT_EQ(&table.property(2), &gen.waveform);
    EXPECT_EQ(gen.inletCount(), 0);
    EXPECT_EQ(gen.outletCount(), 1);
}

TEST(TestSignalGenerator, IsSilentUntilItsAmplitudeIsRaised) {
    VTTestSignalGenerator gen;
    for (int b = 0; b < 4; ++b) {
        gen.process();
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) ASSERT_EQ(gen.outletSignal(0)[i], 0.0f);
    }
}

// Runs blocks and gives every output sample.
std::vector<float> run(VTTestSignalGenerator& gen, int blocks) {
    std::vector<float> out;
    for (int b = 0; b < blocks; ++b) {
        gen.process();
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) out.push_back(gen.outletSignal(0)[i]);
    }
    return out;
}

TEST(TestSignalGenerator, GainRisesSmoothlyAndSettlesWithinAPercentAfter37Milliseconds) {
    VTTestSignalGenerator gen;
    gen.amplitude.setValue(0.5);
    const float pole = gen.gain().pole;
    EXPECT_NEAR(pole, 0.99715f, 0.00001f);

    // Sample for sample: the smoothed gain, starting from 0, times the rotating phasor.
    auto out = run(gen, 8);
    const double s = gen.sinStep(), c = gen.cosStep();
    float g = 0.0f, x = 1.0f, y = 0.0f;
    int within = -1;
    for (std::size_t n = 0; n < out.size(); ++n) {
        float yNext = static_cast<float>(s * x + c * y);
        x = static_cast<float>(c * x - s * y);
        y = yNext;
        float previous = g;
        g = (1.0f - pole) * 0.5f + pole * g;
        ASSERT_GT(g, previous) << "the gain only rises, sample " << n;
        ASSERT_EQ(out[n], g * yNext) << n;
        if (within < 0 && std::fabs(g - 0.5f) <= 0.005f) within = static_cast<int>(n) + 1;
    }
    EXPECT_NEAR(within, 1616, 2) << "samples until the gain is within 1 % of 0.5";
    EXPECT_LT(out[0], 0.002f) << "no jump at the start";

    // At block boundaries: still more than 1 % off after 1536 samples, within after 1792.
    VTTestSignalGenerator blocks;
    blocks.amplitude.setValue(0.5);
    run(blocks, 6);
    EXPECT_GT(std::fabs(blocks.gain().current - 0.5f), 0.005f);
    run(blocks, 1);
    EXPECT_LT(std::fabs(blocks.gain().current - 0.5f), 0.005f);
}

TEST(TestSignalGenerator, SineSampleNIsTheSineOfNPlusOneSteps) {
    VTTestSignalGenerator gen;
    gen.amplitude.setValue(1.0);
    gen.frequency.setValue(441.0);
    auto out = run(gen, 200);  // 51200 samples, about 1.2 s
    const float w = static_cast<float>(441.0 * 6.283185 / SGSampleRate);
    EXPECT_EQ(gen.sinStep(), static_cast<float>(std::sin(static_cast<double>(w))));
    const float pole = gen.gain().pole;
    float g = 0.0f;
    double worst = 0.0;
    for (std::size_t n = 0; n < out.size(); ++n) {
        g = (1.0f - pole) * 1.0f + pole * g;
        double expected = std::sin(static_cast<double>(w) * static_cast<double>(n + 1));
        worst = std::max(worst, std::fabs(out[n] / g - expected));
    }
    EXPECT_NEAR(out[0] / ((1.0f - pole)), std::sin(static_cast<double>(w)), 1e-6)
        << "the first sample is sin(w)";
    EXPECT_LT(worst, 2e-3) << "only single-precision drift";
    // 441 Hz is 100 samples per period: one block covers 2.56 periods.
    EXPECT_NEAR(static_cast<double>(w) * SGBlockSize / 6.283185, 2.56, 1e-6);
}

TEST(TestSignalGenerator, AnyWaveformOtherThanOneGivesNoiseThatNeverReachesPlusOne) {
    for (int waveform : {0, 2, -1}) {
        VTTestSignalGenerator gen;
        gen.noise().seed = 0x12340000;
        gen.amplitude.setValue(1.0);
        gen.waveform.setValue(waveform);
        // Skip the gain rise, then compare against the noise source itself.
        run(gen, 40);
        SGNoise expected = gen.noise();
        auto out = run(gen, 400);
        float lowest = 1.0f, highest = -1.0f;
        const float gain = gen.gain().current;
        for (std::size_t n = 0; n < out.size(); ++n) {
            float v = static_cast<float>(expected.next());
            ASSERT_NEAR(out[n], v * gain, 1e-6f) << "waveform " << waveform << " sample " << n;
            lowest = std::min(lowest, v);
            highest = std::max(highest, v);
        }
        EXPECT_LT(highest, 1.0f) << waveform;
        EXPECT_GT(highest, 0.999f) << waveform;
        EXPECT_EQ(lowest, -1.0f) << waveform << ": the full range, from -1.0";
    }
}

TEST(TestSignalGenerator, NoiseExtremesAreMinusOneAndJustBelowPlusOne) {
    VTTestSignalGenerator gen;
    SGNoise& noise = gen.noise();
    noise.seed = 0x7fff0000;
    EXPECT_EQ(static_cast<float>(noise.next()), static_cast<float>(1.0 - 2.0 / 32768.0));
    noise.seed = 0x00000000;
    EXPECT_EQ(static_cast<float>(noise.next()), -1.0f);
}

TEST(TestSignalGenerator, SwitchingFromNoiseBackToSineKeepsThePhasor) {
    VTTestSignalGenerator gen;
    gen.amplitude.setValue(1.0);
    run(gen, 3);
    const float x = gen.phasorX(), y = gen.phasorY();
    const float step = gen.sinStep();
    gen.waveform.setValue(0);
    gen.frequency.setValue(1000.0);  // set during noise: waits for the sine
    run(gen, 5);
    EXPECT_EQ(gen.phasorX(), x);
    EXPECT_EQ(gen.phasorY(), y);
    EXPECT_EQ(gen.sinStep(), step);
    EXPECT_TRUE(gen.frequency.isChanged()) << "the change is not consumed while noise runs";

    gen.waveform.setValue(1);
    const float before = gen.gain().current;
    gen.process();
    const float w = static_cast<float>(1000.0 * 6.283185 / SGSampleRate);
    EXPECT_EQ(gen.sinStep(), static_cast<float>(std::sin(static_cast<double>(w))));
    const double s = gen.sinStep(), c = gen.cosStep();
    const float first = static_cast<float>(s * x + c * y);
    const SGGainSmoother& smoother = gen.gain();
    const float g = (1.0f - smoother.pole) * smoother.target + smoother.pole * before;
    EXPECT_EQ(gen.outletSignal(0)[0], g * first)
        << "the sine goes on from where the last sine block left it, at the new step";
}

TEST(TestSignalGenerator, ProcessAllocatesNothing) {
    VTTestSignalGenerator gen;
    gen.amplitude.setValue(0.7);
    gen.process();
    EXPECT_NO_AUDIO_ALLOCATION(for (int i = 0; i < 16; ++i) gen.process());
    gen.waveform.setValue(0);
    gen.frequency.setValue(880.0);
    EXPECT_NO_AUDIO_ALLOCATION(for (int i = 0; i < 16; ++i) gen.process());
}

}  // namespace
