#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionFactory.h"
#include "library/ClockedGraph.h"
#include "library/sequencers/VTDrums.h"
#include "makers/VTMakerTable.h"
#include "params/SGPropertyUnits.h"
#include "support/AudioThreadGuard.h"
#include "wave/SharedSoundFilePaths.h"

namespace {

constexpr double kSpt120 = 918.75;  // 120 beats per minute

using Graph = ClockedGraph<VTDrums>;

// A graph whose row 0 holds a one-second sample of constant 0.5 at full volume.
struct LoadedDrums : Graph {
    ScratchFolder folder;
    LoadedDrums() {
        processor->volume.setValue(1.0);
        for (int r = 0; r < VTDrums::kRows; ++r) {
            processor->volumes[r].setValue(1.0);
            processor->files[r].setValue(
                folder.constantWave("row" + std::to_string(r) + ".wav", 16384, 44100).c_str());
        }
    }
};

TEST(Drums, DeclaresItsPropertiesInTableOrder) {
    VTDrums drums;
    SGPropertyTable& table = drums.propertyTable();
    std::vector<std::string> names = {"Volume", "Mute", "Gate0And1"};
    for (const char* stem : {"File_", "Volume_", "Gates_", "Mutes_"})
        for (int r = 0; r < 5; ++r) names.push_back(stem + std::to_string(r));
    ASSERT_EQ(table.count(), static_cast<int>(names.size()));
    for (int i = 0; i < table.count(); ++i) {
        EXPECT_EQ(table.info(i).name, names[i]);
        const bool isVolume = names[i].rfind("Volume", 0) == 0;
        EXPECT_EQ(table.info(i).units,
                  isVolume ? static_cast<const SGPropertyUnits*>(SGGainUnits::instance())
                           : SGAbstractUnits::instance())
            << names[i];
        EXPECT_EQ(table.info(i).maximum, isVolume ? 1.0 : 0.0) << names[i];
    }
    EXPECT_EQ(&table.property(3), &drums.files[0]);
    EXPECT_EQ(&table.property(22), &drums.mutes[4]);
    std::ostringstream text;
    drums.writeProperties(text);
    EXPECT_EQ(text.str(),
              "{ 0, 0, 0, \"\", \"\", \"\", \"\", \"\", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "
              "0, 0 }");
    EXPECT_EQ(drums.inletCount(), 0);
    EXPECT_EQ(drums.outletCount(), 1);
}

TEST(Drums, MakerIsRegisteredAfterTheTestGenerator) {
    registerAllMakers();
    VTContraptionFactory& factory = VTContraptionFactory::instance();
    VTContraptionMaker* drums = factory.findMaker("Drums");
    VTContraptionMaker* testGen = factory.findMaker("TestGen");
    ASSERT_NE(drums, nullptr);
    EXPECT_GT(drums->index(), testGen->index());
    EXPECT_EQ(drums->category(), "Signal Generators");
    EXPECT_EQ(drums->helpContext(), 1004);
    EXPECT_FALSE(drums->unnumbered());
    EXPECT_TRUE(drums->hasEditor());
    auto made = factory.createContraption("Drums", {});
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->name(), "Drums_1");
    EXPECT_NE(dynamic_cast<VTDrums*>(&made->processor()), nullptr);
}

TEST(Drums, WithTheClockStoppedTheOutletIsSilentAndNothingTriggers) {
    LoadedDrums g;
    for (int r = 0; r < 5; ++r) g.processor->gates[r].setValue(-1);  // every step
    g.context.setClockPosition(0.0);
    std::vector<float> out;
    g.run(200, out);
    for (float s : out) ASSERT_EQ(s, 0.0f);
    for (int r = 0; r < 5; ++r) EXPECT_FALSE(g.processor->voice(r).sounding());
    EXPECT_EQ(g.context.clockPosition(), 0.0);
}

TEST(Drums, StoppingTheClockFreezesTheVoicesAndStartingResumesThem) {
    LoadedDrums g;
    g.processor->gates[0].setValue(1);
    g.start(0.0, kSpt120);
    std::vector<float> out;
    g.run(4, out);
    const double position = g.processor->voice(0).position;
    EXPECT_EQ(position, 4.0 * SGBlockSize);
    g.context.stopClock();
    g.run(10, out);
    EXPECT_EQ(g.processor->voice(0).position, position);
    g.context.startClock();
    g.run(1, out);
    EXPECT_EQ(g.processor->voice(0).position, position + SGBlockSize);
    EXPECT_EQ(out.back(), 0.5f * 0.75f);
}

TEST(Drums, AStepTriggersWithTheRowVolumeTimesTheMasterVolumeTimesThreeQuarters) {
    LoadedDrums g;
    g.processor->volume.setValue(0.5);
    g.processor->volumes[2].setValue(0.25);
    g.processor->gates[2].setValue(1);
    g.start(0.0, kSpt120);
    std::vector<float> out;
    g.run(1, out);
    EXPECT_EQ(g.processor->voice(2).amplitude, static_cast<float>(0.25 * 0.5 * 0.75));
    EXPECT_EQ(out[0], 0.5f * static_cast<float>(0.25 * 0.5 * 0.75));
}

// Runs `bars` bars with every step of row 0 set and gives the sample index at which each
// trigger restarted the voice, worked out from the voice's read position after each block.
std::vector<long> triggerOnsets(double startTicks, double samplesPerTick, int bars,
                                std::uint32_t gates = 0xffffffffu) {
    LoadedDrums g;
    g.processor->gates[0].setValue(static_cast<std::int32_t>(gates));
    g.start(startTicks, samplesPerTick);
    // Up to the last whole block before the end of the last bar.
    const long blocks = static_cast<long>(bars * 96.0 * samplesPerTick / SGBlockSize);
    std::vector<long> onsets;
    double last = 0.0;
    bool sounding = false;
    for (long b = 0; b < blocks; ++b) {
        g.context.processBlock();
        const VTDrums::Voice& v = g.processor->voice(0);
        if (v.sounding() && (!sounding || v.position < last + SGBlockSize))
            onsets.push_back((b + 1) * long{SGBlockSize} - static_cast<long>(v.position));
        sounding = v.sounding();
        last = v.position;
    }
    return onsets;
}

// Ticks at many tempos, including ones whose ticks land exactly on block boundaries while the
// clock's per-block step (256 / samplesPerTick) is not exact in binary. samplesPerTick is
// numerator / denominator, so the test knows exactly where each tick falls.
struct TempoCase {
    const char* name;
    long numerator, denominator;
    bool hasBoundaryTicks;
    double samplesPerTick() const { return double(numerator) / double(denominator); }
    friend void PrintTo(const TempoCase& c, std::ostream* os) {
        *os << c.numerator << "/" << c.denominator << " samples per tick";
    }
};
class DrumsAtTempo : public ::testing::TestWithParam<TempoCase> {};

TEST_P(DrumsAtTempo, EveryStepTriggersOnceAtItsTickAndBoundaryTicksInTheLaterBlock) {
    const TempoCase& c = GetParam();
    const int bars = 12;
    std::vector<long> onsets = triggerOnsets(0.0, c.samplesPerTick(), bars);
    ASSERT_EQ(onsets.size(), std::size_t(16 * bars));
    int onBoundary = 0;
    for (std::size_t n = 0; n < onsets.size(); ++n) {
        const long ticks = 6 * static_cast<long>(n);
        EXPECT_NEAR(onsets[n], std::floor(ticks * c.samplesPerTick()), 1.0) << "step " << n;
        if (n == 0) continue;  // the start itself is no boundary between blocks
        if ((ticks * c.numerator) % c.denominator != 0) continue;
        const long exact = ticks * c.numerator / c.denominator;
        if (exact % long{SGBlockSize} != 0) continue;
        ++onBoundary;
        EXPECT_EQ(onsets[n], exact)
            << "step " << n << " lies on a block boundary: sample 0 of the later block";
    }
    EXPECT_EQ(onBoundary > 0, c.hasBoundaryTicks);
}

INSTANTIATE_TEST_SUITE_P(
    Tempos, DrumsAtTempo,
    ::testing::Values(TempoCase{"bpm120", 3675, 4, false}, TempoCase{"bpm240", 3675, 8, false},
                      TempoCase{"bpm97", 2646000, 2328, false}, TempoCase{"spt256", 256, 1, true},
                      TempoCase{"spt512", 512, 1, true}, TempoCase{"spt640", 640, 1, true},
                      TempoCase{"spt1280over3", 1280, 3, true},
                      TempoCase{"spt3200over7", 3200, 7, true},
                      TempoCase{"spt1536", 1536, 1, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Drums, APatternOfStepZeroOnlyTriggersOnceEvery176400SamplesAt120Bpm) {
    std::vector<long> onsets = triggerOnsets(0.0, kSpt120, 12, 1u);
    ASSERT_EQ(onsets.size(), 6u);
    for (std::size_t n = 0; n < onsets.size(); ++n) EXPECT_NEAR(onsets[n], 176400.0 * n, 1.0) << n;
}

TEST(Drums, ABarStartAtAFractionalOffsetTriggersAtTheTruncatedSample) {
    // From 95.9 the tick 96 (step 16) lies 0.1 * 918.75 = 91.875 samples in: sample 91.
    std::vector<long> onsets = triggerOnsets(95.9, kSpt120, 1, 1u << 16);
    ASSERT_FALSE(onsets.empty());
    EXPECT_EQ(onsets[0], 91);
}

TEST(Drums, PositionsBeforeZeroFindTheirStepsToo) {
    // A pre-roll from -96: tick -96 is step 16 of the pattern, tick -90 step 17.
    std::vector<long> onsets = triggerOnsets(-96.0, 512.0, 1, (1u << 16) | (1u << 17));
    ASSERT_EQ(onsets.size(), 2u);
    EXPECT_EQ(onsets[0], 0);
    EXPECT_EQ(onsets[1], 6 * 512);
}

TEST(Drums, TheLastStepIsBit31) {
    std::vector<long> onsets = triggerOnsets(0.0, 512.0, 2, 1u << 31);
    ASSERT_EQ(onsets.size(), 1u);
    EXPECT_EQ(onsets[0], 186 * 512);
}

TEST(Drums, WithGate0And1TheFirstRowWinsWhenBothTriggerOnOneStep) {
    struct Case {
        bool choke;
        bool row0, row1;
    } cases[] = {{true, true, false}, {false, true, true}};
    for (const Case& c : cases) {
        LoadedDrums g;
        g.processor->gate0And1.setValue(c.choke);
        g.processor->gates[0].setValue(1 << 4);
        g.processor->gates[1].setValue(1 << 4);
        g.start(0.0, 512.0);
        std::vector<float> out;
        g.run(4 * 6 * 2 + 1, out);  // tick 24 is the first sample of block 48
        EXPECT_EQ(g.processor->voice(0).sounding(), c.row0) << c.choke;
        EXPECT_EQ(g.processor->voice(1).sounding(), c.row1) << c.choke;
        EXPECT_EQ(out[24 * 512], (c.row1 ? 2.0f : 1.0f) * 0.375f) << c.choke;
    }
}

TEST(Drums, AChokedRowIsSilencedWhenItsPartnerTriggersLater) {
    LoadedDrums g;
    g.processor->gate0And1.setValue(true);
    g.processor->gates[1].setValue(1 << 0);
    g.processor->gates[0].setValue(1 << 2);
    g.start(0.0, 512.0);
    std::vector<float> out;
    g.run(6 * 2 * 2 + 1, out);
    EXPECT_TRUE(g.processor->voice(0).sounding());
    EXPECT_FALSE(g.processor->voice(1).sounding());
    EXPECT_EQ(out[11 * 512], 0.375f) << "row 1 fades out over the tick before";
    EXPECT_LT(out[12 * 512 - 1], 0.375f / 256);
    EXPECT_EQ(out[12 * 512], 0.375f) << "only row 0 from step 2";
}

TEST(Drums, ARetriggeredRowFadesToZeroOverTheLastTickOfTheStepBefore) {
    LoadedDrums g;
    g.processor->gates[2].setValue((1 << 4) | (1 << 5));
    g.start(0.0, 512.0);
    std::vector<float> out;
    g.run(64, out);
    const long tick29 = 29 * 512, tick30 = 30 * 512;
    EXPECT_EQ(out[tick29 - 1], 0.375f);
    EXPECT_EQ(out[tick29], 0.375f) << "the fade starts after the tick's first sample";
    for (long i = tick29 + 1; i < tick30; ++i) ASSERT_LT(out[i], out[i - 1]) << i;
    EXPECT_LT(out[tick30 - 1], 0.375f / 256);
    EXPECT_EQ(out[tick30], 0.375f) << "restarted at full amplitude";
    EXPECT_EQ(g.processor->voice(2).fade, 0.0f);
}

TEST(Drums, RowMutesAreTakenOverAtBarStarts) {
    LoadedDrums g;
    VTDrums& d = *g.processor;
    d.gates[3].setValue((1 << 8) | (1 << 12) | (1 << 16) | (1 << 20) | (1 << 0));
    g.start(0.0, 512.0);
    std::vector<float> out;
    auto runToTick = [&](int tick) {
        while (g.context.clockPosition() < tick) g.run(1, out);
    };
    runToTick(6 * 6);  // inside step 6 of the first bar
    d.mutes[3].setValue(true);
    runToTick(12 * 6 + 1);
    EXPECT_FALSE(d.rowMuteLatch(3));
    EXPECT_TRUE(d.voice(3).sounding()) << "steps 8 and 12 still trigger";
    EXPECT_EQ(d.voice(3).position, 512.0) << "restarted at step 12";
    runToTick(16 * 6 + 1);
    EXPECT_TRUE(d.rowMuteLatch(3));
    EXPECT_FALSE(d.voice(3).sounding()) << "from step 16 a trigger silences the row";
    runToTick(17 * 6);  // every tick of step 16 takes the mutes over; step 17 does not
    d.mutes[3].setValue(false);
    runToTick(20 * 6 + 1);
    EXPECT_FALSE(d.voice(3).sounding()) << "unmuting waits for the next bar too";
    runToTick(192 + 1);
    EXPECT_FALSE(d.rowMuteLatch(3));
    EXPECT_TRUE(d.voice(3).sounding()) << "step 0 of the next pattern plays again";
}

TEST(Drums, TheMasterMuteStopsTriggersFromTheNextBarWhileSoundingVoicesPlayOn) {
    LoadedDrums g;
    VTDrums& d = *g.processor;
    d.gates[0].setValue((1 << 0) | (1 << 12) | (1 << 16));
    d.gates[1].setValue(1 << 15);
    g.start(0.0, 512.0);
    std::vector<float> out;
    auto runToTick = [&](int tick) {
        while (g.context.clockPosition() < tick) g.run(1, out);
    };
    runToTick(10 * 6);
    d.mute.setValue(true);
    runToTick(15 * 6 + 1);
    EXPECT_FALSE(d.muteLatch());
    EXPECT_TRUE(d.voice(1).sounding()) << "step 15 still triggers";
    const double before = d.voice(0).position;
    runToTick(16 * 6 + 1);
    EXPECT_TRUE(d.muteLatch());
    EXPECT_GT(d.voice(0).position, before) << "step 16 does not restart row 0";
    EXPECT_TRUE(d.voice(1).sounding()) << "the sounding voice plays on";
    d.mute.setValue(false);
    runToTick(192 + 1);
    EXPECT_FALSE(d.muteLatch());
    EXPECT_EQ(d.voice(0).position, 512.0) << "restarted at step 0 of the next pattern";
}

TEST(Drums, ResetSilencesEveryVoice) {
    LoadedDrums g;
    for (int r = 0; r < 5; ++r) g.processor->gates[r].setValue(1);
    g.start(0.0, 512.0);
    std::vector<float> out;
    g.run(2, out);
    for (int r = 0; r < 5; ++r) EXPECT_TRUE(g.processor->voice(r).sounding());
    g.context.resetAll();
    for (int r = 0; r < 5; ++r) EXPECT_FALSE(g.processor->voice(r).sounding());
    g.run(1, out);
    for (std::size_t i = out.size() - SGBlockSize; i < out.size(); ++i) ASSERT_EQ(out[i], 0.0f);
}

TEST(Drums, SamplesLoadWhenTheFileChangesAndPlayForTheirLengthAtTheSystemRate) {
    ScratchFolder folder;
    struct Case {
        const char* name;
        std::uint32_t rate;
        std::uint16_t channels;
        std::uint32_t frames;
        std::uint32_t playable;
    } cases[] = {
        {"short-mono", 44100, 1, 1000, 1000},
        {"stereo", 44100, 2, 3000, 3000},
        {"longer-than-a-second", 44100, 1, 50000, 44100},
        // At half the rate every frame fills two entries: all of it plays.
        {"half-rate", 22050, 1, 1000, 2000},
        {"double-rate", 88200, 1, 1000, 500},
        {"half-rate-long", 22050, 1, 30000, 44100},
    };
    for (const Case& c : cases) {
        Graph g;
        const std::string file =
            folder.wave(std::string(c.name) + ".wav",
                        std::vector<std::int16_t>(std::size_t{c.frames} * c.channels, 8192), c.rate,
                        c.channels);
        g.processor->files[1].setValue(file.c_str());
        g.context.processBlock();
        EXPECT_EQ(g.processor->voice(1).end, c.playable) << c.name;
        EXPECT_FALSE(g.processor->voice(1).sounding()) << c.name << " waits for a trigger";
    }
}

TEST(Drums, AStoredShortNameIsFoundAlongTheSoundFileSearchPaths) {
    ScratchFolder folder;
    folder.constantWave("kick.wav", 16384, 1234);
    SoundFilePaths& paths = sharedSoundFilePaths();
    const std::vector<std::string> saved = paths.searchPaths();
    paths.setSearchPaths({"/nonexistent-vantrel-dir", folder.path("")});
    Graph g;
    g.processor->files[4].setValue("kick.wav");
    g.context.processBlock();
    paths.setSearchPaths(saved);
    EXPECT_EQ(g.processor->voice(4).end, 1234u);
}

TEST(Drums, AFileThatCannotBeLoadedLeavesTheRowSilentWithoutCrashing) {
    ScratchFolder folder;
    const std::string good = folder.constantWave("good.wav", 16384, 2000);
    const std::string damaged = folder.path("damaged.wav");
    {
        std::ofstream f(damaged, std::ios::binary);
        const char bytes[] = "RIFF\x10\0\0\0WAVEfmt garbage";
        f.write(bytes, sizeof bytes - 1);
    }
    const std::string eightBit = folder.path("eight-bit.wav");
    {
        // A well-formed file, but 8-bit samples, which are not played.
        std::ofstream f(eightBit, std::ios::binary);
        const unsigned char header[] = {'R',  'I',  'F', 'F', 40,   0,    0, 0, 'W', 'A', 'V', 'E',
                                        'f',  'm',  't', ' ', 16,   0,    0, 0, 1,   0,   1,   0,
                                        0x44, 0xac, 0,   0,   0x44, 0xac, 0, 0, 1,   0,   8,   0,
                                        'd',  'a',  't', 'a', 4,    0,    0, 0, 1,   2,   3,   4};
        f.write(reinterpret_cast<const char*>(header), sizeof header);
    }
    LoadedDrums g;
    g.processor->files[0].setValue(good.c_str());
    g.processor->gates[0].setValue(-1);
    g.context.processBlock();
    ASSERT_EQ(g.processor->voice(0).end, 2000u);
    std::vector<float> before(g.processor->voice(0).table.data(),
                              g.processor->voice(0).table.data() + 44101);
    for (const std::string& bad : {folder.path("missing.wav"), damaged, eightBit, folder.path(""),
                                   std::string("no/such/dir/x.wav")}) {
        g.processor->files[0].setValue(bad.c_str());
        g.start(0.0, 512.0);
        std::vector<float> out;
        g.run(30, out);
        EXPECT_EQ(g.processor->voice(0).end, 0u) << bad;
        for (float s : out) ASSERT_EQ(s, 0.0f) << bad;
        EXPECT_EQ(0, std::memcmp(before.data(), g.processor->voice(0).table.data(),
                                 before.size() * sizeof(float)))
            << bad << ": the table keeps what it held";
    }
}

TEST(Drums, SteadyPlayAllocatesNothing) {
    LoadedDrums g;
    for (int r = 0; r < 5; ++r) g.processor->gates[r].setValue(-1);
    g.processor->gate0And1.setValue(true);
    g.start(0.0, kSpt120);
    g.context.processBlock();  // loads the samples
    EXPECT_NO_AUDIO_ALLOCATION(for (int b = 0; b < 2000; ++b) g.context.processBlock());
    EXPECT_TRUE(g.processor->voice(0).sounding());
}

TEST(Drums, AClockThatIsNotUsableGivesNoTicksInsteadOfHanging) {
    for (double spt : {0.0, -5.0, 1e-300, std::nan(""), double(INFINITY)}) {
        LoadedDrums g;
        g.processor->gates[0].setValue(-1);
        g.start(0.0, spt);
        g.processor->process();
        g.processor->process();
        EXPECT_FALSE(g.processor->voice(0).sounding()) << spt;
    }
    for (double position : {std::nan(""), double(INFINITY), -double(INFINITY), 1e300}) {
        LoadedDrums g;
        g.processor->gates[0].setValue(-1);
        g.start(position, 512.0);
        g.processor->process();
        EXPECT_FALSE(g.processor->voice(0).sounding()) << position;
    }
}

}  // namespace
