#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <sstream>
#include <vector>

#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionFactory.h"
#include "library/ClockedGraph.h"
#include "library/synthesisers/VTBassline.h"
#include "makers/VTMakerTable.h"
#include "params/SGPropertyUnits.h"
#include "support/AudioThreadGuard.h"

namespace {

using Graph = ClockedGraph<VTBassline>;
using vantrel::test::ConstantSource;

void setNotes(SG8CharsProperty& property, std::initializer_list<int> notes) {
    SGEightChars c{};
    int i = 0;
    for (int n : notes) c.v[i++] = static_cast<std::int8_t>(n);
    property.copyValue(SG8CharsProperty(c));
}

// Runs blocks until the clock has passed `tick`.
void runPast(Graph& g, double tick) {
    while (g.context.clockPosition() <= tick) g.context.processBlock();
}

TEST(Bassline, DeclaresItsPropertiesInTableOrder) {
    VTBassline bass;
    SGPropertyTable& table = bass.propertyTable();
    struct Row {
        const char* name;
        double minimum, maximum;
    } rows[] = {{"Volume", 0, 1},    {"Mute", 0, 1},      {"Waveform", 0, 1}, {"CutoffFreq", 0, 1},
                {"Resonance", 0, 1}, {"EnvMod", 0, 1},    {"Decay", 0, 1},    {"Accent", 0, 1},
                {"Overdrive", 0, 1}, {"LFORate", 0.1, 1}, {"LFODepth", 0, 1}, {"Gates", 0, 0},
                {"Accents", 0, 0},   {"Ties", 0, 0},      {"Notes_0", 0, 0},  {"Notes_1", 0, 0}};
    ASSERT_EQ(table.count(), 16);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(table.info(i).name, rows[i].name);
        EXPECT_EQ(table.info(i).minimum, rows[i].minimum) << rows[i].name;
        EXPECT_EQ(table.info(i).maximum, rows[i].maximum) << rows[i].name;
        EXPECT_EQ(table.info(i).units, SGAbstractUnits::instance()) << rows[i].name;
    }
    std::ostringstream text;
    bass.writeProperties(text);
    EXPECT_EQ(text.str(),
              "{ 0, 0, 0, 0.5, 0, 0.5, 0.5, 0, 0, 0, 0, 65535, 0, 0, "
              "36 36 36 36 36 36 36 36 , 36 36 36 36 36 36 36 36  }");
    EXPECT_EQ(bass.inletCount(), 1);
    EXPECT_EQ(bass.outletCount(), 1);
}

TEST(Bassline, MakerIsRegisteredAsASignalGeneratorRightAfterTheDrums) {
    registerAllMakers();
    VTContraptionMaker* m = VTContraptionFactory::instance().findMaker("Bassline");
    ASSERT_NE(m, nullptr);
    VTContraptionMaker* drums = VTContraptionFactory::instance().findMaker("Drums");
    ASSERT_NE(drums, nullptr);
    EXPECT_EQ(m->index(), drums->index() + 1);
    EXPECT_EQ(m->category(), "Signal Generators");
    EXPECT_EQ(m->helpContext(), 1006);
    EXPECT_FALSE(m->unnumbered());
    EXPECT_TRUE(m->hasEditor());
    auto made = VTContraptionFactory::instance().createContraption("Bassline", {});
    ASSERT_NE(made, nullptr);
    EXPECT_NE(dynamic_cast<VTBassline*>(&made->processor()), nullptr);
}

TEST(Bassline, WaveformTablesHaveTheirShapes) {
    VTBassline bass;
    const float* saw = bass.sawTable().data();
    const double pi = 3.1415926;
    auto partial = [&](int i) { return 0.27 * std::sin(i / 1024.0 * pi * 2.0); };
    EXPECT_FLOAT_EQ(saw[0], 1.05f);
    EXPECT_NEAR(saw[64], 0.5 * 1.05 + partial(64), 1e-6);
    EXPECT_NEAR(saw[128 + 192], -0.35 + partial(320), 1e-6);
    EXPECT_NEAR(saw[512], -0.7 + partial(512), 1e-6);
    EXPECT_NEAR(saw[800], partial(800), 1e-6);
    EXPECT_EQ(saw[1024], saw[0]);
    float peak = 0.0f;
    for (int i = 0; i < 1024; ++i) peak = std::max(peak, std::fabs(bass.squareTable().data()[i]));
    EXPECT_FLOAT_EQ(peak, 0.55f);
    EXPECT_GT(bass.squareTable().data()[256], 0.5f);
    EXPECT_LT(bass.squareTable().data()[768], -0.5f);
    const float* lfo = bass.lfoTable().data();
    EXPECT_FLOAT_EQ(lfo[0], 0.5f);
    EXPECT_NEAR(lfo[256], 1.0f, 1e-6);
    EXPECT_NEAR(lfo[768], 0.0f, 1e-6);
    EXPECT_NEAR(VTBassline::noteFrequency(36), 65.406, 0.001);
    EXPECT_EQ(VTBassline::noteFrequency(69), 440.0f);
}

TEST(Bassline, ParametersGiveTheirDerivedValues) {
    struct Case {
        double resonance, decay, lfoRate;
        double q, decayFactor, lfoHz;
    } cases[] = {
        {0.0, 0.0, 0.0, 1.0, 0.87083, 0.02},
        {1.0, 1.0, 1.0, 1.0 / 109.0, 0.99139, 10.02},
        {0.5, 0.5, 0.5, 1.0 / 28.0, std::exp(-39.0625 / 723.0), 2.52},
    };
    for (const Case& c : cases) {
        VTBassline bass;
        bass.resonance.setValue(c.resonance);
        bass.decay.setValue(c.decay);
        bass.lfoRate.setValue(c.lfoRate);
        bass.process();
        EXPECT_DOUBLE_EQ(bass.q(), c.q);
        EXPECT_NEAR(bass.cutoffEnvelope().multiplier, c.decayFactor, 3e-5);
        EXPECT_NEAR(bass.lfo().increment(), 1024.0 * c.lfoHz * 256 / 44100, 1e-9);
    }
    EXPECT_NEAR(VTBassline::glideFactor(), 0.46340, 1e-5);
}

TEST(Bassline, OverdriveIsLinearBelowOneAndBendsToAFlatTopOfTwo) {
    struct Case {
        double z, out;
    } cases[] = {{0.0, 0.0}, {0.5, 0.5}, {1.0, 1.0},  {1.5, 1.875},
                 {2.0, 2.0}, {3.0, 2.0}, {100.0, 2.0}};
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(VTBassline::overdriveCurve(c.z), c.out) << c.z;
    // With drive 2 a filter output of 0.75 comes out as 1.875 / 2.
    EXPECT_DOUBLE_EQ(VTBassline::overdriveCurve(0.75 * 2.0) / 2.0, 0.9375);
}

// Counts note starts and releases tick by tick over `bars` bars from position 0.
struct NoteCount {
    int starts = 0, releases = 0;
    std::vector<double> startTicks, releaseTicks;
};
NoteCount countNotes(Graph& g, double samplesPerTick, int bars) {
    NoteCount n;
    g.start(0.0, samplesPerTick);
    double stepBefore = g.processor->gateStep();
    int counterBefore = g.processor->amplitudeEnvelope().counter;
    const long blocks = static_cast<long>(bars * 96.0 * samplesPerTick / SGBlockSize);
    for (long b = 0; b < blocks; ++b) {
        const double position = g.context.clockPosition();
        g.context.processBlock();
        const double step = g.processor->gateStep();
        const int counter = g.processor->amplitudeEnvelope().counter;
        if (step > 0 && (stepBefore <= 0 || counter < counterBefore)) {
            ++n.starts;
            n.startTicks.push_back(position);
        }
        if (step < 0 && stepBefore > 0) {
            ++n.releases;
            n.releaseTicks.push_back(position);
        }
        stepBefore = step;
        counterBefore = counter;
    }
    return n;
}

TEST(Bassline, TheDefaultPatternPlaysSixteenNotesPerBarEachReleasedHalfAStepIn) {
    Graph g;
    g.processor->volume.setValue(1.0);
    NoteCount n = countNotes(g, 918.75, 4);
    EXPECT_EQ(n.starts, 64);
    EXPECT_EQ(n.releases, 64);
    for (std::size_t i = 0; i < n.startTicks.size(); ++i) {
        // The block that starts a note holds tick 6i; the one that releases it tick 6i + 3.
        EXPECT_GT(n.startTicks[i], 6.0 * i - 0.28) << i;
        EXPECT_LE(n.startTicks[i], 6.0 * i + 1e-6) << i;
        EXPECT_GT(n.releaseTicks[i], 6.0 * i + 3 - 0.28) << i;
        EXPECT_LE(n.releaseTicks[i], 6.0 * i + 3 + 1e-6) << i;
    }
    EXPECT_NEAR(g.processor->targetFrequency(), 65.406, 0.001);
}

class BasslineAtTempo : public ::testing::TestWithParam<double> {};

TEST_P(BasslineAtTempo, EveryStepStartsOneNoteAndReleasesItOverManyBars) {
    Graph g;
    NoteCount n = countNotes(g, GetParam(), 8);
    EXPECT_GE(n.starts, 8 * 16 - 1);
    EXPECT_LE(n.starts, 8 * 16);
    EXPECT_EQ(n.releases, n.starts);
    for (std::size_t i = 0; i < n.startTicks.size(); ++i)
        EXPECT_NEAR(n.startTicks[i], 6.0 * i, 256.0 / GetParam() + 1e-9) << i;
}

INSTANTIATE_TEST_SUITE_P(Tempos, BasslineAtTempo,
                         ::testing::Values(918.75, 459.375, 512.0, 640.0, 1280.0 / 3.0,
                                           3200.0 / 7.0, 256.0));

TEST(Bassline, ATickOnABlockBoundaryStartsItsNoteAtSampleZeroOfTheLaterBlock) {
    // At 640 samples per tick the clock steps by 0.4 tick a block, not exact in binary; every
    // step's tick lies on a block boundary. Each note starts with the oscillator at phase 0,
    // so the first sample of the starting block reads the table's first entry.
    Graph g;
    g.start(0.0, 640.0);
    int starts = 0;
    for (int b = 0; b < 15 * 16 * 4; ++b) {
        const bool boundary = b % 15 == 0;
        const int counterBefore = g.processor->amplitudeEnvelope().counter;
        g.context.processBlock();
        const bool started = g.processor->amplitudeEnvelope().counter < counterBefore;
        EXPECT_EQ(started, boundary) << "block " << b;
        if (started) {
            ++starts;
            // Restarted by a tick at sample 0, then stepped once by the whole-block segment.
            EXPECT_EQ(g.processor->amplitudeEnvelope().counter, 1) << "block " << b;
        }
    }
    EXPECT_EQ(starts, 64);
}

TEST(Bassline, ATiedStepSlidesIntoTheNextNoteWithoutRestarting) {
    Graph g;
    VTBassline& b = *g.processor;
    b.volume.setValue(1.0);
    b.gates.setValue((1 << 4) | (1 << 5));
    b.ties.setValue(1 << 4);
    setNotes(b.notes0, {36, 36, 36, 36, 36, 48, 36, 36});
    g.start(0.0, 512.0);
    runPast(g, 24.0);
    const int counterAtStep4 = b.amplitudeEnvelope().counter;
    EXPECT_GT(b.gateStep(), 0.0);
    runPast(g, 29.5);
    EXPECT_GT(b.gateStep(), 0.0) << "the tie holds the note over tick 3";
    double previous = b.currentFrequency();
    EXPECT_NEAR(previous, 65.406, 0.001);
    const int countBefore = b.amplitudeEnvelope().counter;
    g.context.processBlock();  // tick 30 at sample 0: an empty segment and the whole block
    EXPECT_EQ(b.amplitudeEnvelope().counter, countBefore + 2) << "no restart";
    EXPECT_GT(countBefore, counterAtStep4);
    EXPECT_NEAR(b.targetFrequency(), 130.81, 0.01);
    EXPECT_GT(b.gateStep(), 0.0);
    // Each segment moves the pitch 53.66 % of the remaining distance. At half a tick a
    // block, every other block starts with a tick and so has two segments.
    const double a = 0.46340;
    previous = b.currentFrequency();
    for (double share : {a, a * a, a, a * a}) {
        g.context.processBlock();
        const double remaining = b.targetFrequency() - b.currentFrequency();
        EXPECT_NEAR(remaining / (b.targetFrequency() - previous), share, 1e-4);
        previous = b.currentFrequency();
    }
    runPast(g, 33.5);
    EXPECT_LT(b.gateStep(), 0.0) << "step 5 is untied: released at its tick 3";
}

TEST(Bassline, WithTheClockStoppedNoNoteStartsAndTheInletIsHeardOnlyThroughAnOpenGate) {
    Graph g;
    auto* source = new ConstantSource(0.5f);
    source->setContext(&g.context);
    g.context.connect(source, 0, g.processor, 0);
    g.processor->volume.setValue(1.0);
    g.context.setSamplesPerTick(918.75);
    std::vector<float> out;
    for (double position : {0.0, 6.0, 95.99, 3.0}) {
        g.context.setClockPosition(position);
        g.run(40, out);
    }
    for (float s : out) ASSERT_EQ(s, 0.0f);
    EXPECT_LT(g.processor->gateStep(), 0.0);

    // A note that sounds when the clock stops goes on until a release tick comes into a block.
    g.start(0.0, 918.75);
    runPast(g, 1.0);
    g.context.stopClock();
    ASSERT_GT(g.processor->gateStep(), 0.0);
    out.clear();
    g.run(40, out);
    EXPECT_GT(g.processor->gateStep(), 0.0) << "tick 2 is 0.7 tick off: no tick in the block";
    EXPECT_NE(out.back(), 0.0f) << "the inlet passes the open gate";
    g.context.setClockPosition(2.95);  // tick 3 is untied: released
    g.run(1, out);
    EXPECT_LT(g.processor->gateStep(), 0.0);
    out.clear();
    g.run(10, out);
    EXPECT_NEAR(out.back(), 0.0f, 1e-6) << "the release ended";
}

TEST(Bassline, AStoppedClockReleasesATiedNoteAtTheNextStepStart) {
    Graph g;
    g.processor->ties.setValue(-1);
    g.start(0.0, 918.75);
    runPast(g, 4.0);
    g.context.stopClock();
    ASSERT_GT(g.processor->gateStep(), 0.0);
    g.context.setClockPosition(5.95);
    g.context.processBlock();
    EXPECT_LT(g.processor->gateStep(), 0.0) << "step 1 is gated but the clock stands";
    EXPECT_EQ(g.processor->amplitudeEnvelope().counter > 10, true) << "no new note";
}

TEST(Bassline, MuteIsTakenOverAtTheBarStart) {
    Graph g;
    VTBassline& b = *g.processor;
    g.start(0.0, 512.0);
    runPast(g, 30.0);
    b.mute.setValue(true);
    runPast(g, 90.0);
    EXPECT_FALSE(b.muteLatch());
    EXPECT_GT(b.gateStep(), 0.0) << "step 15 still plays";
    runPast(g, 96.0);
    EXPECT_TRUE(b.muteLatch());
    EXPECT_LT(b.gateStep(), 0.0);
    const int counter = b.amplitudeEnvelope().counter;
    runPast(g, 150.0);
    EXPECT_LT(b.gateStep(), 0.0);
    EXPECT_GT(b.amplitudeEnvelope().counter, counter) << "no note started";
    b.mute.setValue(false);
    runPast(g, 180.0);
    EXPECT_LT(b.gateStep(), 0.0) << "unmuting waits for the bar start";
    runPast(g, 192.0);
    EXPECT_FALSE(b.muteLatch());
    EXPECT_GT(b.gateStep(), 0.0);
}

TEST(Bassline, RestsAndDamagedNoteBytesPlayNothing) {
    Graph g;
    VTBassline& b = *g.processor;
    setNotes(b.notes0, {0, -1, -128, 0, 0, 0, 0, 0});
    setNotes(b.notes1, {0, 0, 0, 0, 0, 0, 0, 0});
    g.start(0.0, 512.0);
    runPast(g, 200.0);
    EXPECT_LT(b.gateStep(), 0.0);
    EXPECT_EQ(b.targetFrequency(), 100.0);
}

TEST(Bassline, ResetSilencesAtOnce) {
    Graph g;
    g.processor->volume.setValue(1.0);
    g.start(0.0, 512.0);
    runPast(g, 1.0);
    ASSERT_GT(g.processor->gateStep(), 0.0);
    g.context.stopClock();
    g.context.resetAll();
    EXPECT_EQ(g.processor->gateStep(), -1.0);
    EXPECT_EQ(g.processor->gateValue(), 0.0);
    std::vector<float> out;
    g.run(1, out);
    for (float s : out) ASSERT_EQ(s, 0.0f);
}

TEST(Bassline, TheFilterStaysBoundedAtItsWildestSettings) {
    struct Case {
        const char* name;
        double cutoff, resonance, envMod, accent, overdrive;
        int waveform;
        bool inlet;
    } cases[] = {
        {"resonant-saw", 1, 1, 1, 1, 0, 0, false},
        {"resonant-square-driven", 1, 1, 1, 1, 1, 1, false},
        {"low-cutoff", 0, 1, 0, 0, 0.5, 0, false},
        {"loud-inlet", 1, 1, 1, 1, 0, 0, true},
    };
    for (const Case& c : cases) {
        Graph g;
        VTBassline& b = *g.processor;
        if (c.inlet) {
            auto* source = new ConstantSource(50.0f);
            source->setContext(&g.context);
            g.context.connect(source, 0, g.processor, 0);
        }
        b.volume.setValue(1.0);
        b.cutoffFreq.setValue(c.cutoff);
        b.resonance.setValue(c.resonance);
        b.envMod.setValue(c.envMod);
        b.accent.setValue(c.accent);
        b.accents.setValue(-1);
        b.overdrive.setValue(c.overdrive);
        b.waveform.setValue(c.waveform);
        b.lfoDepth.setValue(1.0);
        b.lfoRate.setValue(1.0);
        setNotes(b.notes0, {24, 36, 48, 60, 72, 84, 96, 108});
        g.start(0.0, 459.375);
        std::vector<float> out;
        g.run(2000, out);
        float peak = 0.0f;
        for (float s : out) {
            ASSERT_TRUE(std::isfinite(s)) << c.name;
            peak = std::max(peak, std::fabs(s));
        }
        EXPECT_LE(peak, 2.0f) << c.name;
        EXPECT_GT(peak, 0.01f) << c.name;
    }
}

TEST(Bassline, ANotANumberOnTheInletDoesNotSilenceTheFilterForEver) {
    Graph g;
    auto* source = new ConstantSource(std::numeric_limits<float>::quiet_NaN());
    source->setContext(&g.context);
    g.context.connect(source, 0, g.processor, 0);
    g.processor->volume.setValue(1.0);
    g.start(0.0, 512.0);
    std::vector<float> out;
    g.run(4, out);
    source->value = 0.25f;
    out.clear();
    g.run(4, out);
    for (float s : out) ASSERT_TRUE(std::isfinite(s));
    EXPECT_NE(out.back(), 0.0f);
}

TEST(Bassline, SteadyPlayAllocatesNothing) {
    Graph g;
    g.processor->volume.setValue(1.0);
    g.processor->overdrive.setValue(0.5);
    g.processor->ties.setValue(0x5555);
    g.start(0.0, 918.75);
    g.context.processBlock();
    EXPECT_NO_AUDIO_ALLOCATION(for (int b = 0; b < 2000; ++b) g.context.processBlock());
    g.processor->waveform.setValue(1);
    g.processor->decay.setValue(0.9);
    EXPECT_NO_AUDIO_ALLOCATION(for (int b = 0; b < 200; ++b) g.context.processBlock());
}

}  // namespace
