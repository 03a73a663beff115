#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "library/granulators/VTDLGranulator.h"
#include "library/granulators/VTGrainPanCurve.h"
#include "library/granulators/VTGrainQuantizer.h"
#include "params/SGPropertyUnits.h"
#include "signal/SGDynSigContext.h"
#include "support/AudioThreadGuard.h"

namespace {

constexpr double kSR = SGSampleRate;
constexpr int kB = static_cast<int>(SGBlockSize);

// Fixes every random generator of a granulator, so runs can be compared and predicted.
void fixSeeds(VTDLGranulator& g, std::int32_t base) {
    auto& gen = g.generators();
    std::int32_t s = base;
    for (SGNoise* n : {&gen.amplitude, &gen.pan, &gen.pitch, &gen.delay, &gen.interonset,
                       &gen.duration, &gen.attDec, &gen.skew, &g.dither()})
        n->seed = s += 7919;
}

// A granulator that reads `input` on its inlet.
struct Rig {
    VTDLGranulator g;
    SGSignal input{0.0f};
    std::uint32_t noiseSeed = 12345;
    Rig() {
        g.inlet(0).signal = &input;
        fixSeeds(g, 1);
    }
    void noise(float level) {
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
            noiseSeed = noiseSeed * 1664525u + 1013904223u;
            input[i] = level * (static_cast<float>(noiseSeed >> 8) / 8388608.0f - 1.0f);
        }
    }
};

TEST(DLGranulator, DeclaresItsPropertiesInTableOrder) {
    VTDLGranulator g;
    SGPropertyTable& t = g.propertyTable();
    struct Row {
        const char* name;
        const SGPropertyUnits* units;
        double minimum, maximum;
        const SGProperty* property;
    } rows[] = {
        {"InputGain", SGGainUnits::instance(), 0, 1.5, &g.inputGain},
        {"Amplitude", SGVolumeUnits::instance(), 0, 1, &g.amplitude},
        {"Panning", SGPanningUnits::instance(), 0, 1, &g.panning},
        {"DelayTime", SGTimeMillisecondsUnits::instance(), 0, 9500, &g.delayTime},
        {"Feedback", SGFractionUnits::instance(), 0, 0.9, &g.feedback},
        {"WetDryMix", SGFractionUnits::instance(), 0, 1, &g.wetDryMix},
        {"PitchScaler", SGTranspositionUnits::instance(), 0.25, 4, &g.pitchScaler},
        {"InteronsetTime", SGTimeMillisecondsUnits::instance(), 0.5, 2000, &g.interonsetTime},
        {"QuantizeAmount", SGFractionUnits::instance(), 0, 1, &g.quantizeAmount},
        {"QuantizeClocks", SGAbstractUnits::instance(), 0, 0, &g.quantizeClocks},
        {"GrainDuration", SGTimeMillisecondsUnits::instance(), 5, 500, &g.grainDuration},
        {"AttDecRatio", SGAbstractUnits::instance(), 0, 0.9, &g.attDecRatio},
        {"GrainSkew", SGAbstractUnits::instance(), 0.05, 0.95, &g.grainSkew},
        {"MaxGrains", SGAbstractUnits::instance(), 1, 20, &g.maxGrains},
    };
    ASSERT_EQ(t.count(), 14);
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(t.info(i).name, rows[i].name);
        EXPECT_EQ(t.info(i).units, rows[i].units) << rows[i].name;
        EXPECT_EQ(t.info(i).minimum, rows[i].minimum) << rows[i].name;
        EXPECT_EQ(t.info(i).maximum, rows[i].maximum) << rows[i].name;
        EXPECT_EQ(&t.property(i), rows[i].property) << rows[i].name;
    }
    EXPECT_EQ(g.inletCount(), 1);
    EXPECT_EQ(g.outletCount(), 2);
    EXPECT_EQ(g.line().length(), 485376u);
    EXPECT_FALSE(g.isFrozen());
    EXPECT_EQ(g.maxGrains.value(), 20);
    EXPECT_EQ(g.interonsetTime.low(), 20.0f);
    EXPECT_EQ(g.interonsetTime.high(), 25.0f);
}

TEST(DLGranulator, WetDryLawAtItsEndsAndMiddle) {
    struct Case {
        double mix;
        float wet, dry, tolerance;
    } cases[] = {
        {0.0, 1.6e-7f, 0.99985f, 2e-6f},
        {1.0, 0.99985f, -3.8e-6f, 2e-6f},
        {0.5, 0.70700f, 0.70700f, 1e-5f},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.g.wetDryMix.setValue(c.mix);
        rig.g.amplitude.setValue(0.0f, 0.0f);  // grains silent: the outlets carry the dry part
        rig.noise(0.5f);
        rig.g.process();
        EXPECT_NEAR(rig.g.wetGain(), c.wet, c.tolerance) << c.mix;
        EXPECT_NEAR(rig.g.dryGain(), c.dry, c.tolerance) << c.mix;
        for (int i = 0; i < kB; ++i) {
            ASSERT_EQ(rig.g.outletSignal(0)[i], rig.input[i] * rig.g.dryGain()) << c.mix;
            ASSERT_EQ(rig.g.outletSignal(1)[i], rig.input[i] * rig.g.dryGain()) << c.mix;
        }
    }
}

TEST(DLGranulator, NormalisationFollowsTheOverlapOfGrains) {
    VTDLGranulator g;
    g.process();
    // 35 ms mean duration against 22.5 ms mean inter-onset time.
    EXPECT_NEAR(g.normalisation(), 1.5 / std::sqrt(35.0 / 22.5), 1e-4);
    EXPECT_NEAR(g.normalisation(), 1.2027, 1e-4);
    g.interonsetTime.setValue(100.0f, 100.0f);
    g.process();
    EXPECT_FLOAT_EQ(g.normalisation(), 1.5f);
}

TEST(DLGranulator, EnvelopeSplitsTheGrainIntoWholeSamples) {
    struct Case {
        double d, attDec, skew;
        std::int32_t sustain, attack, release;
    } cases[] = {
        {220.5, 0.5, 0.5, 110, 55, 55},     // 5 ms
        {1323.0, 0.5, 0.5, 661, 331, 331},  // 30 ms
        {220.5, 0.0, 0.05, 0, 11, 209},
        {220.5, 0.9, 0.95, 198, 21, 1},
    };
    for (const Case& c : cases) {
        VTDLGrain grain;
        grain.setEnvelope(c.d, c.attDec, c.skew);
        EXPECT_EQ(grain.sustain, c.sustain) << c.d << " " << c.attDec;
        EXPECT_EQ(grain.attack, c.attack) << c.d << " " << c.attDec;
        EXPECT_EQ(grain.release, c.release) << c.d << " " << c.attDec;
    }
}

TEST(DLGranulator, PanLawOfANewGrain) {
    struct Case {
        float pan, left, right;
    } cases[] = {{0.5f, 1.0f, 1.0f}, {0.0f, 1.0155f, 0.0160f}, {1.0f, 0.0160f, 1.0155f}};
    for (const Case& c : cases) {
        Rig rig;
        rig.g.panning.setValue(c.pan, c.pan);
        rig.g.grainDuration.setValue(500.0f, 500.0f);  // the grain is still sounding after a block
        rig.g.process();
        ASSERT_GE(rig.g.soundingGrains(), 1);
        const VTDLGrain& grain = *rig.g.voices().active(0);
        EXPECT_NEAR(grain.leftGain, c.left, 1e-3) << c.pan;
        EXPECT_NEAR(grain.leftGain * grain.ratio, c.right, 1e-3) << c.pan;
    }
}

TEST(DLGranulator, GrainsDrawFromTheirOwnGeneratorsInOrder) {
    Rig rig;
    rig.g.panning.setValue(0.2f, 0.8f);
    rig.g.pitchScaler.setValue(0.5f, 2.0f);
    rig.g.grainDuration.setValue(400.0f, 500.0f);
    rig.g.delayTime.setValue(100.0f, 1000.0f);
    // Copies of the generators as they stand before the first grain.
    SGNoise pan = rig.g.generators().pan, pitch = rig.g.generators().pitch;
    SGNoise duration = rig.g.generators().duration;
    pan.setRange(0.2, 0.8);
    pitch.setRange(0.5, 2.0);
    duration.setRange(400.0, 500.0);
    rig.g.process();
    ASSERT_GE(rig.g.soundingGrains(), 1);
    // The first grain starts at sample 0 and is handed out first; it is the first active one.
    const VTDLGrain& first = *rig.g.voices().active(0);
    const double p = pan.next();
    EXPECT_FLOAT_EQ(first.leftGain, VTGrainPanCurve().lookup(p));
    EXPECT_EQ(first.rate, static_cast<float>(pitch.next()));
    const double d = duration.next() * 0.001 * kSR;
    const std::int32_t total = first.attack + first.sustain + first.release;
    EXPECT_NEAR(total, d - kB, 2.0);
    // Two granulators with the same seeds give the same sound.
    Rig a, b;
    for (int k = 0; k < 40; ++k) {
        a.noise(0.3f);
        b.noise(0.3f);
        a.g.process();
        b.g.process();
        for (int i = 0; i < kB; ++i) ASSERT_EQ(a.g.outletSignal(0)[i], b.g.outletSignal(0)[i]);
    }
}

// The next block of every sounding grain reads the line between the oldest sample the ring
// still holds and the newest sample written.
void expectGrainsInsideTheLine(const VTDLGranulator& g, const char* what) {
    const double length = g.line().length();
    for (std::int32_t k = 0; k < g.soundingGrains(); ++k) {
        const VTDLGrain& grain = *g.voices().active(k);
        if (grain.onset >= kB) continue;  // still waiting a whole block
        const std::int32_t first = grain.state == VTDLGrain::Waiting ? grain.onset : 0;
        const std::int32_t remaining = grain.attack + grain.sustain + grain.release;
        const std::int32_t last = std::min(kB - 1, first + remaining - 1);
        // Samples behind the newest written one at the first and last sample the grain uses.
        const double behindFirst = grain.delay * kSR - first * static_cast<double>(grain.rate);
        const double behindLast = grain.delay * kSR - last * static_cast<double>(grain.rate);
        ASSERT_GE(behindLast, 1.0 - 1e-6) << what << " rate " << grain.rate;
        ASSERT_LE(behindFirst, length - kB) << what << " rate " << grain.rate;
    }
}

TEST(DLGranulator, GrainsStayInsideTheLineAtEveryTransposition) {
    const float rates[] = {0.25f, 0.5f, 0.99f, 1.0f, 1.01f, 1.5f, 2.0f, 3.0f, 3.99f, 4.0f};
    const float durations[] = {5.0f, 500.0f};
    const float delays[] = {0.0f, 9500.0f};
    for (bool frozen : {false, true})
        for (float rate : rates)
            for (float dur : durations)
                for (float delay : delays) {
                    Rig rig;
                    rig.g.pitchScaler.setValue(rate, rate);
                    rig.g.grainDuration.setValue(dur, dur);
                    rig.g.delayTime.setValue(delay, delay);
                    rig.g.interonsetTime.setValue(0.5f, 9.0f);
                    rig.g.grainSkew.setValue(0.05f, 0.95f);
                    rig.g.setFrozen(frozen);
                    for (int b = 0; b < 120; ++b) {
                        rig.noise(0.5f);
                        rig.g.process();
                        expectGrainsInsideTheLine(rig.g, frozen ? "frozen" : "running");
                        if (HasFatalFailure()) return;
                    }
                }
}

TEST(DLGranulator, FeedbackZeroStillWritesTheInput) {
    Rig rig;
    rig.g.amplitude.setValue(0.0f, 0.0f);
    // A 1 kHz tone at half scale: after the feedback filters the line holds it nearly unchanged.
    double phase = 0.0;
    for (int b = 0; b < 20; ++b) {
        for (int i = 0; i < kB; ++i, phase += 2.0 * M_PI * 1000.0 / kSR)
            rig.input[i] = static_cast<float>(0.5 * std::sin(phase));
        rig.g.process();
    }
    const float* buf = rig.g.line().buffer();
    double sum = 0.0;
    const int end = rig.g.line().writeIndex();
    for (int i = end - 10 * kB; i < end; ++i) sum += double(buf[i]) * buf[i];
    EXPECT_NEAR(std::sqrt(sum / (10 * kB)), 0.5 / std::sqrt(2.0), 0.02);
}

TEST(DLGranulator, FreezingHoldsTheLineWhileGrainsReadOn) {
    Rig rig;
    rig.g.grainDuration.setValue(100.0f, 200.0f);
    for (int b = 0; b < 40; ++b) {
        rig.noise(0.5f);
        rig.g.process();
    }
    const std::int32_t before = rig.g.line().writeIndex();
    rig.g.setFrozen(true);
    rig.noise(0.5f);
    rig.g.process();
    // The crossfade block: the last block written fades to silence.
    const SGSignal faded = rig.g.feedbackBlock();
    EXPECT_EQ(rig.g.line().writeIndex(), before + kB);
    std::vector<float> held(rig.g.line().buffer(), rig.g.line().buffer() + rig.g.line().length());
    for (int i = 0; i < kB; ++i) EXPECT_EQ(held[before + i], faded[i]);
    EXPECT_LT(std::fabs(held[before + kB - 1]), 0.02f);

    double energy = 0.0;
    for (int b = 0; b < 60; ++b) {
        rig.noise(0.5f);
        rig.g.process();
        for (int i = 0; i < kB; ++i) energy += std::fabs(rig.g.outletSignal(0)[i]);
    }
    EXPECT_EQ(rig.g.line().writeIndex(), before + kB);
    for (std::uint32_t i = 0; i < rig.g.line().length(); ++i)
        ASSERT_EQ(rig.g.line().buffer()[i], held[i]) << i;
    EXPECT_GT(energy, 1.0) << "grains go on reading the held buffer";

    rig.g.setFrozen(false);
    rig.noise(0.5f);
    rig.g.process();
    EXPECT_EQ(rig.g.line().writeIndex(), before + 2 * kB);
    EXPECT_EQ(rig.g.line().buffer()[before + kB], 0.0f) << "the first block after fades in";
}

TEST(DLGranulator, MaxGrainsLimitsNewGrainsOnly) {
    Rig rig;
    rig.g.grainDuration.setValue(300.0f, 400.0f);
    rig.g.interonsetTime.setValue(5.0f, 6.0f);
    int most = 0;
    for (int b = 0; b < 100; ++b) {
        rig.g.process();
        most = std::max(most, static_cast<int>(rig.g.soundingGrains()));
    }
    EXPECT_EQ(most, 20);
    rig.g.maxGrains.setValue(1);
    rig.g.process();
    EXPECT_GT(rig.g.soundingGrains(), 1) << "sounding grains finish in their own time";
    for (int b = 0; b < 100; ++b) rig.g.process();
    for (int b = 0; b < 200; ++b) {
        rig.g.process();
        ASSERT_LE(rig.g.soundingGrains(), 1);
    }
}

TEST(DLGranulator, ResetReleasesEveryGrain) {
    Rig rig;
    rig.g.grainDuration.setValue(300.0f, 400.0f);
    for (int b = 0; b < 20; ++b) rig.g.process();
    ASSERT_GT(rig.g.soundingGrains(), 5);
    rig.g.reset();
    EXPECT_EQ(rig.g.soundingGrains(), 0);
    EXPECT_EQ(rig.g.nextOnset(), 0u);
}

TEST(DLGranulator, AbsurdValuesNeitherHangNorPoisonTheSound) {
    // Values no control offers but a document or a controller might hold.
    Rig rig;
    rig.g.interonsetTime.setValue(0.0f, 0.0f);
    rig.g.grainDuration.setValue(0.0f, 0.0f);
    rig.g.pitchScaler.setValue(0.0f, 0.0f);
    rig.g.feedback.setValue(0.9);
    rig.g.quantizeClocks.setValue(-5);
    rig.g.quantizeAmount.setValue(1.0);
    rig.g.maxGrains.setValue(0);
    for (int b = 0; b < 20; ++b) {
        rig.noise(0.5f);
        rig.g.process();
        for (int i = 0; i < kB; ++i) ASSERT_TRUE(std::isfinite(rig.g.outletSignal(0)[i]));
    }
    Rig backwards;
    backwards.g.interonsetTime.setValue(-10.0f, -5.0f);
    backwards.g.grainDuration.setValue(100.0f, 100.0f);
    backwards.g.pitchScaler.setValue(-2.0f, 2.0f);
    backwards.g.feedback.setValue(0.9);
    for (int b = 0; b < 40; ++b) {
        backwards.noise(0.5f);
        backwards.g.process();
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < kB; ++i)
                ASSERT_TRUE(std::isfinite(backwards.g.outletSignal(c)[i])) << b;
    }
    EXPECT_TRUE(std::isfinite(backwards.g.normalisation()));
}

TEST(DLGranulator, ProcessAllocatesNothingWithEveryGrainSounding) {
    Rig rig;
    rig.g.interonsetTime.setValue(0.5f, 1.0f);
    rig.g.grainDuration.setValue(500.0f, 500.0f);
    rig.g.pitchScaler.setValue(0.25f, 4.0f);
    rig.g.feedback.setValue(0.5);
    for (int b = 0; b < 4; ++b) rig.g.process();
    ASSERT_EQ(rig.g.soundingGrains(), 20);
    EXPECT_NO_AUDIO_ALLOCATION(for (int b = 0; b < 50; ++b) rig.g.process());
    rig.g.setFrozen(true);
    EXPECT_NO_AUDIO_ALLOCATION(for (int b = 0; b < 5; ++b) rig.g.process());
}

// Onsets pulled towards the beat grid.
TEST(GrainQuantizer, FullPullPutsEveryOnsetOnTheGrid) {
    struct Case {
        double position, spt;
        std::int32_t clocks;
    } cases[] = {
        {0.0, 918.75, 24}, {13.4, 918.75, 24}, {95.99, 918.75, 96},
        {-7.5, 918.75, 6}, {1000.25, 3.0, 2},  {23.0, 50.0, 3},
    };
    for (const Case& c : cases) {
        SGDynSigContext ctx;
        ctx.startClock();
        ctx.setClockPosition(c.position);
        ctx.setSamplesPerTick(c.spt);
        VTGrainQuantizer q;
        q.setUp(&ctx, 1.0, c.clocks);
        ASSERT_TRUE(q.active);
        for (std::uint32_t w = 0; w < SGBlockSize; ++w) {
            const double pulled = q.pull(w);
            // A grid point after w, no more than a period and a tick away (the grid point the
            // pull aims at lies after the first whole tick of the block).
            const double ticks = c.position + pulled / c.spt;
            const double grid = std::round(ticks / c.clocks) * c.clocks;
            EXPECT_GE(pulled, w);
            EXPECT_LE(pulled - w, (c.clocks + 1) * c.spt);
            EXPECT_NEAR(ticks, grid, 1.0 / c.spt + 1e-9) << c.position << " w " << w;
        }
    }
    SGDynSigContext stopped;
    VTGrainQuantizer q;
    q.setUp(&stopped, 1.0, 24);
    EXPECT_FALSE(q.active);
    EXPECT_EQ(q.pull(100), 100u);
}

}  // namespace
