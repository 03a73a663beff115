#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "LibraryWavFixtures.h"
#include "library/granulators/VTBubbleBlower.h"
#include "library/granulators/VTGrainPanCurve.h"
#include "params/SGPropertyUnits.h"
#include "support/AudioThreadGuard.h"

namespace {

using LibraryWavFixtures::ScratchFolder;
using LibraryWavFixtures::writeWav;

constexpr int kB = static_cast<int>(SGBlockSize);

void fixSeeds(VTBubbleBlower& g, std::int32_t base) {
    auto& gen = g.generators();
    std::int32_t s = base;
    for (SGNoise* n : {&gen.amplitude, &gen.pan, &gen.pitch, &gen.inskip, &gen.onset, &gen.duration,
                       &gen.attDec, &gen.skew})
        n->seed = s += 104729;
}

std::vector<std::int16_t> constant(std::size_t n, std::int16_t v) {
    return std::vector<std::int16_t>(n, v);
}

float peak(VTBubbleBlower& g, int blocks) {
    float most = 0.0f;
    for (int b = 0; b < blocks; ++b) {
        g.process();
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < kB; ++i) most = std::max(most, std::fabs(g.outletSignal(c)[i]));
    }
    return most;
}

TEST(BubbleBlower, DeclaresItsPropertiesInTableOrder) {
    VTBubbleBlower g;
    SGPropertyTable& t = g.propertyTable();
    const char* names[] = {"File",          "Amplitude",   "Panning",        "Inskip",
                           "PitchScaler",   "Density",     "QuantizeAmount", "QuantizeClocks",
                           "GrainDuration", "AttDecRatio", "GrainSkew",      "MaxGrains"};
    const SGProperty* props[] = {&g.file,           &g.amplitude,      &g.panning,
                                 &g.inskip,         &g.pitchScaler,    &g.density,
                                 &g.quantizeAmount, &g.quantizeClocks, &g.grainDuration,
                                 &g.attDecRatio,    &g.grainSkew,      &g.maxGrains};
    ASSERT_EQ(t.count(), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(t.info(i).name, names[i]);
        EXPECT_EQ(&t.property(i), props[i]) << names[i];
    }
    EXPECT_EQ(t.info(3).maximum, 15000.0);
    EXPECT_EQ(t.info(5).minimum, 0.1);
    EXPECT_EQ(t.info(5).maximum, 2000.0);
    EXPECT_EQ(t.info(3).units, SGTimeMillisecondsUnits::instance());
    EXPECT_EQ(g.density.value(), 10.0);
    EXPECT_EQ(g.file.text(), nullptr);
    EXPECT_EQ(g.inletCount(), 0);
    EXPECT_EQ(g.outletCount(), 2);
}

TEST(BubbleBlower, NormalisationFollowsDensityTimesDuration) {
    struct Case {
        double density;
        float lo, hi;
        double norm;
    } cases[] = {
        {10.0, 30.0f, 40.0f, 1.5},                    // overlap 0.35
        {100.0, 35.0f, 35.0f, 1.5 / std::sqrt(3.5)},  // overlap 3.5
        {2000.0, 500.0f, 500.0f, 1.5 / std::sqrt(1000.0)},
    };
    for (const Case& c : cases) {
        VTBubbleBlower g;
        g.density.setValue(c.density);
        g.grainDuration.setValue(c.lo, c.hi);
        g.process();
        EXPECT_NEAR(g.normalisation(), c.norm, 1e-5) << c.density;
    }
    EXPECT_NEAR(1.0 / std::sqrt(3.5), 0.5345, 1e-4);
}

TEST(BubbleBlower, EnvelopeSplitsTheGrainIntoWholeSamples) {
    struct Case {
        float d;
        double attDec, skew;
        std::uint32_t sustain, attack, release;
    } cases[] = {
        {1323.0f, 0.5, 0.5, 661, 331, 331},  // 30 ms
        {220.5f, 0.5, 0.5, 110, 55, 55},
        {220.5f, 0.9, 0.05, 198, 1, 21},  // attack at least one sample
        {220.5f, 0.9, 0.95, 198, 21, 1},  // release at least one sample
        {0.0f, 0.5, 0.5, 0, 1, 1},
    };
    for (const Case& c : cases) {
        VTBubbleGrain grain;
        grain.setEnvelope(c.d, c.attDec, c.skew);
        EXPECT_EQ(grain.sustain, c.sustain) << c.d;
        EXPECT_EQ(grain.attack, c.attack) << c.d;
        EXPECT_EQ(grain.release, c.release) << c.d;
    }
}

TEST(BubbleBlower, WithoutAUsableFileEveryGrainIsSilent) {
    ScratchFolder dir;
    LibraryWavFixtures::writeBytes(dir.path("junk.wav"), "RIFF\x10\0\0\0WAVEjunkjunk");
    writeWav(dir.path("tiny.wav"), 44100, 1, {1000, 2000});
    const std::string files[] = {"", dir.path("missing.wav"), dir.path("junk.wav"),
                                 dir.path("tiny.wav"), dir.dirPath()};
    for (const std::string& f : files) {
        VTBubbleBlower g;
        g.file.setValue(f.c_str());
        g.density.setValue(200.0);
        EXPECT_EQ(peak(g, 40), 0.0f) << f;
        EXPECT_GT(g.soundingGrains(), 0) << "grains run their envelopes: " << f;
        EXPECT_EQ(g.playableFrames(), 0) << f;
    }
}

TEST(BubbleBlower, GrainsNeverReadPastTheEndOfTheirSound) {
    // A loud long sound first, then a quiet short one into the same memory: a grain that read
    // past the short sound's frames would find the loud one.
    ScratchFolder dir;
    writeWav(dir.path("loud.wav"), 44100, 2, constant(2 * 100000, 30000));
    writeWav(dir.path("quiet.wav"), 44100, 2, constant(2 * 500, 1000));
    const float rates[] = {0.25f, 0.5f, 1.0f, 2.0f, 4.0f};
    for (float rate : rates) {
        VTBubbleBlower g;
        fixSeeds(g, 3);
        g.file.setValue(dir.path("loud.wav").c_str());
        g.process();
        ASSERT_EQ(g.playableFrames(), 99998);
        g.file.setValue(dir.path("quiet.wav").c_str());
        g.pitchScaler.setValue(rate, rate);
        g.inskip.setValue(0.0f, 15000.0f);
        g.density.setValue(500.0);
        g.grainDuration.setValue(5.0f, 500.0f);
        g.process();
        ASSERT_EQ(g.playableFrames(), 498);
        // Gains: at most 2 (the envelope) * 0.5 * pan gain (< 1.02) * amplitude 1 * norm 1.5.
        const float limit = 1000.0f / 32768.0f * 2.0f * 0.5f * 1.02f * 1.5f;
        EXPECT_LE(peak(g, 200), limit) << rate;
    }
}

TEST(BubbleBlower, AGrainNearTheEndGoesSilentWhileItsEnvelopeRunsOn) {
    ScratchFolder dir;
    writeWav(dir.path("short.wav"), 44100, 1, constant(1002, 8000));
    VTBubbleBlower g;
    fixSeeds(g, 5);
    g.file.setValue(dir.path("short.wav").c_str());
    g.maxGrains.setValue(1);  // one grain at the start, no other while it sounds
    g.grainDuration.setValue(100.0f, 100.0f);
    g.panning.setValue(0.5f, 0.5f);
    std::vector<float> out;
    for (int b = 0; b < 20; ++b) {
        g.process();
        out.insert(out.end(), g.outletSignal(0).samples(), g.outletSignal(0).samples() + kB);
    }
    // 1000 playable frames at rate 1: sound up to frame 1000, silence after, until the grain's
    // 4410 samples are over.
    EXPECT_NE(out[999], 0.0f);
    for (int i = 1000; i < 4410; ++i) ASSERT_EQ(out[i], 0.0f) << i;
}

TEST(BubbleBlower, RatesFollowTheFileRateAndChannels) {
    ScratchFolder dir;
    std::vector<std::int16_t> stereo;
    for (int k = 0; k < 20000; ++k) stereo.insert(stereo.end(), {12000, -12000});
    writeWav(dir.path("stereo.wav"), 44100, 2, stereo);
    writeWav(dir.path("half.wav"), 22050, 1, constant(20000, 5000));
    std::vector<std::int16_t> quad;
    for (int k = 0; k < 20000; ++k) quad.insert(quad.end(), {7000, -30000, -30000, -30000});
    writeWav(dir.path("quad.wav"), 44100, 4, quad);

    VTBubbleBlower g;
    g.panning.setValue(0.5f, 0.5f);
    g.grainDuration.setValue(200.0f, 200.0f);
    g.file.setValue(dir.path("half.wav").c_str());
    g.process();
    EXPECT_EQ(g.sample().rateFactor(), 0.5);
    ASSERT_GT(g.soundingGrains(), 0);
    EXPECT_EQ(g.voices().active(0)->rate, 0.5) << "pitch 1 keeps the file's own pitch";

    g.file.setValue(dir.path("stereo.wav").c_str());
    for (int b = 0; b < 10; ++b) g.process();
    EXPECT_TRUE(g.sample().isStereo());
    EXPECT_GT(g.outletSignal(0)[100], 0.0f);
    EXPECT_LT(g.outletSignal(1)[100], 0.0f);

    g.file.setValue(dir.path("quad.wav").c_str());
    for (int b = 0; b < 10; ++b) g.process();
    EXPECT_FALSE(g.sample().isStereo());
    EXPECT_EQ(g.sample().frames(), 20000u);
    EXPECT_GT(g.outletSignal(0)[100], 0.0f) << "the first channel plays";
    EXPECT_GT(g.outletSignal(1)[100], 0.0f);
}

TEST(BubbleBlower, LoadingReleasesTheGrainsAndRestartsTheStream) {
    ScratchFolder dir;
    writeWav(dir.path("a.wav"), 44100, 1, constant(50000, 5000));
    VTBubbleBlower g;
    g.file.setValue(dir.path("a.wav").c_str());
    g.grainDuration.setValue(400.0f, 500.0f);
    g.density.setValue(100.0);
    for (int b = 0; b < 20; ++b) g.process();
    ASSERT_GT(g.soundingGrains(), 3);
    g.file.setValue(dir.path("missing.wav").c_str());
    g.process();
    // Only the grain the restarted stream begins at once is left.
    EXPECT_EQ(g.voices().active(0)->frames, 0);
    EXPECT_LE(g.soundingGrains(), 3);
    EXPECT_EQ(peak(g, 1), 0.0f);
}

TEST(BubbleBlower, SameSeedsGiveTheSameGrains) {
    ScratchFolder dir;
    std::vector<std::int16_t> s;
    for (int k = 0; k < 40000; ++k)
        s.push_back(static_cast<std::int16_t>((k * 37) % 20000 - 10000));
    writeWav(dir.path("s.wav"), 44100, 1, s);
    VTBubbleBlower a, b;
    for (VTBubbleBlower* g : {&a, &b}) {
        fixSeeds(*g, 11);
        g->file.setValue(dir.path("s.wav").c_str());
        g->inskip.setValue(0.0f, 800.0f);
        g->pitchScaler.setValue(0.5f, 2.0f);
        g->density.setValue(300.0);
    }
    float energy = 0.0f;
    for (int k = 0; k < 50; ++k) {
        a.process();
        b.process();
        for (int i = 0; i < kB; ++i) {
            ASSERT_EQ(a.outletSignal(0)[i], b.outletSignal(0)[i]);
            ASSERT_EQ(a.outletSignal(1)[i], b.outletSignal(1)[i]);
            energy += std::fabs(a.outletSignal(0)[i]);
        }
    }
    EXPECT_GT(energy, 1.0f);
    // The first grain's gains come from the first pan draw.
    VTBubbleBlower c;
    fixSeeds(c, 11);
    SGNoise pan = c.generators().pan;
    pan.setRange(0.0, 1.0);
    c.grainDuration.setValue(400.0f, 400.0f);
    c.process();
    const double p = pan.next();
    const VTBubbleGrain& first = *c.voices().active(0);
    EXPECT_FLOAT_EQ(first.leftGain, VTGrainPanCurve().lookup(p) * c.normalisation() * 0.5f);
    EXPECT_FLOAT_EQ(c.normalisation(), 0.75f) << "400 ms grains, 10 a second";
}

TEST(BubbleBlower, MaxGrainsAndAllocationFreeProcessing) {
    ScratchFolder dir;
    writeWav(dir.path("s.wav"), 44100, 2, constant(2 * 600000, 3000));
    VTBubbleBlower g;
    g.file.setValue(dir.path("s.wav").c_str());
    g.density.setValue(2000.0);
    g.grainDuration.setValue(500.0f, 500.0f);
    g.pitchScaler.setValue(0.25f, 4.0f);
    g.inskip.setValue(0.0f, 15000.0f);
    for (int b = 0; b < 4; ++b) g.process();
    ASSERT_EQ(g.soundingGrains(), 20);
    EXPECT_NO_AUDIO_ALLOCATION(for (int b = 0; b < 50; ++b) g.process());
    g.maxGrains.setValue(2);
    for (int b = 0; b < 100; ++b) g.process();
    for (int b = 0; b < 50; ++b) {
        g.process();
        ASSERT_LE(g.soundingGrains(), 2);
    }
}

}  // namespace
