#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <future>
#include <thread>

#include "RealTimeEngineFixture.h"
#include "audio/EWaveError.h"
#include "audio/VTSoundIn.h"
#include "support/AudioThreadGuard.h"

namespace vantrel::test {

void EngineTest::StopWhileAdvancing() {
    auto stopped = std::async(std::launch::async, [this] { engine->StopAudio(); });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (stopped.wait_for(std::chrono::milliseconds(2)) != std::future_status::ready) {
        sim.Advance(engine->WaveStream().OutputFrames());
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "StopAudio did not return";
            break;
        }
    }
    stopped.get();
}

namespace {

constexpr auto kOutDir = KDAudioDirection::Output;
constexpr auto kInDir = KDAudioDirection::Input;

std::int16_t deviceValue(float v) {
    return static_cast<std::int16_t>(std::clamp(v * 32767.0f, -32767.0f, 32767.0f));
}

// --- mapping and mixing

struct OutputCase {
    const char* name;
    std::array<int, 3> device;   // OutDevice of SoundOut, AuxOut1, AuxOut2 (0 = none)
    std::array<float, 3> level;  // NaN: the contraption does not exist
    // Expected per slot: channel count, and the left level heard on each channel pair
    // (NaN: silence written over the junk).
    std::vector<int> channels;
    std::vector<std::vector<float>> pairs;
};

void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.name; }

class OutputMapping : public EngineTest, public ::testing::WithParamInterface<OutputCase> {};

TEST_P(OutputMapping, SharedPairsAreSummedBeforeClippingAndIdlePairsSilenced) {
    const OutputCase& c = GetParam();
    TRealTimeEngine& e = make();
    for (int k = 0; k < 3; ++k) {
        e.SetOutDevice(k, c.device[k]);
        if (!std::isnan(c.level[k])) addOutput(k, c.level[k]);
    }
    e.MapDevices();
    ASSERT_EQ(e.WaveStream().OutputDeviceMask(), (1 << c.channels.size()) - 1);
    for (std::size_t s = 0; s < c.channels.size(); ++s)
        EXPECT_EQ(e.WaveStream().OutputDeviceChannels(s), c.channels[s]) << "slot " << s;

    Buffers b = buffersFor(512);
    cycle(b, 512);
    for (std::size_t s = 0; s < c.channels.size(); ++s) {
        const int ch = c.channels[s];
        for (int p = 0; p < ch / 2; ++p) {
            const float level = c.pairs[s][p];
            const std::int16_t l = std::isnan(level) ? 0 : deviceValue(level);
            const std::int16_t r = std::isnan(level) ? 0 : deviceValue(-0.5f * level);
            for (int f : {0, 255, 256, 511}) {
                EXPECT_EQ(b.out[s][f * ch + 2 * p], l) << "slot " << s << " pair " << p;
                EXPECT_EQ(b.out[s][f * ch + 2 * p + 1], r) << "slot " << s << " pair " << p;
            }
        }
    }
}

const float kAbsent = NAN;
const float kSilent = NAN;

INSTANTIATE_TEST_SUITE_P(
    Engine, OutputMapping,
    ::testing::Values(
        OutputCase{"TwoOnOneStereoDevice", {1, 1, 0}, {0.25f, 0.5f, kAbsent}, {2}, {{0.75f}}},
        // 1.5 and −1.0 clipped one by one would cancel; summed first they give 0.5.
        OutputCase{"SumClipsOnce", {1, 1, 0}, {1.5f, -1.0f, kAbsent}, {2}, {{0.5f}}},
        OutputCase{"SumAboveFullScaleClips", {1, 1, 0}, {0.75f, 0.5f, kAbsent}, {2}, {{1.25f}}},
        OutputCase{"ThreeOnAQuadDevice", {3, 3, 3}, {0.25f, 0.125f, 0.5f}, {4}, {{0.75f, 0.125f}}},
        OutputCase{
            "SplitOverTwoDevices", {1, 2, 1}, {0.25f, 0.125f, 0.5f}, {2, 2}, {{0.75f}, {0.125f}}},
        OutputCase{"AuxAloneOnQuadLeavesFirstPairSilent",
                   {3, 3, 0},
                   {kAbsent, 0.5f, kAbsent},
                   {4},
                   {{kSilent, 0.5f}}},
        OutputCase{
            "OutputWithoutDeviceIsNotHeard", {1, 0, 0}, {0.25f, 0.5f, kAbsent}, {2}, {{0.25f}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, QuadDeviceOffsetsAndProcessingOrder) {
    TRealTimeEngine& e = make();
    for (int k = 0; k < 3; ++k) {
        e.SetOutDevice(k, kQuad);
        addOutput(k, 0.1f);
    }
    e.MapDevices();
    const auto& m = e.OutputMapping();
    EXPECT_EQ(m.offset[0], 0);
    EXPECT_EQ(m.offset[1], 2);
    EXPECT_EQ(m.offset[2], 0);
    EXPECT_EQ(m.slot[0], 0);
    EXPECT_EQ(m.slot[1], 0);
    EXPECT_EQ(m.slot[2], 0);
    EXPECT_EQ(m.slot[3], -1);
    // SoundOut and AuxOut2 share a pair, so they run next to each other.
    EXPECT_EQ(e.OutputOrder()[0], 0);
    EXPECT_EQ(e.OutputOrder()[1], 2);
    EXPECT_EQ(e.OutputOrder()[2], 1);
    EXPECT_EQ(e.IdlePairCount(), 0);
}

TEST_F(EngineTest, DeletedOutputOfAGroupDropsOutOfTheSum) {
    TRealTimeEngine& e = make();
    e.SetOutDevice(0, kStereoA);
    e.SetOutDevice(1, kStereoA);
    addOutput(0, 0.25f);
    addOutput(1, 0.5f);
    e.MapDevices();
    {
        std::lock_guard<SGMutex> hold(context.mutex());
        pool.releaseOutput(0);
    }
    Buffers b = buffersFor(256);
    cycle(b, 256);
    EXPECT_EQ(b.out[0][0], deviceValue(0.5f));
    EXPECT_EQ(b.out[0][1], deviceValue(-0.25f));
}

TEST_F(EngineTest, AuxInputsReachTheGraphFromTheirChannelPair) {
    TRealTimeEngine& e = make();
    e.SetInDevice(1, kInQuad);
    e.SetInDevice(2, kInQuad);  // the second pair of the device
    e.SetOutDevice(2, kStereoA);
    SGSignalProcessor* in2 = addInput(2);
    addInput(1);  // exists, but nothing listens: no signals are written
    {
        std::lock_guard<SGMutex> hold(context.mutex());
        SGSignalProcessor* out = pool.acquireOutput(2);
        out->setContext(&context);
        context.connect(in2, 0, out, 0);
        context.connect(in2, 1, out, 1);
    }
    e.MapDevices();
    ASSERT_EQ(e.WaveStream().InputDeviceMask(), 1);
    EXPECT_EQ(e.WaveStream().InputDeviceChannels(0), 4);
    EXPECT_EQ(e.InputMapping().offset[2], 2);

    Buffers b = buffersFor(256);
    for (int f = 0; f < 256; ++f) {
        b.in[0][f * 4 + 0] = 111;
        b.in[0][f * 4 + 1] = 222;
        b.in[0][f * 4 + 2] = 16384;
        b.in[0][f * 4 + 3] = static_cast<std::int16_t>(f == 7 ? -32766 : -8192);
    }
    cycle(b, 256);
    EXPECT_FLOAT_EQ(in2->outletSignal(0)[0], 0.5f);
    EXPECT_FLOAT_EQ(in2->outletSignal(1)[0], -0.25f);
    EXPECT_EQ(b.out[0][0], 16383);  // 0.5 × 32767 truncated
    EXPECT_FLOAT_EQ(e.InputMeter(2, 0), 16384.0f / 32766.0f);
    EXPECT_FLOAT_EQ(e.InputMeter(2, 1), 1.0f);
    EXPECT_FLOAT_EQ(e.InputMeter(1, 0), 0.0f);
    EXPECT_FLOAT_EQ(e.OutputMeter(2, 0), 16383.0f / 32768.0f);
}

TEST_F(EngineTest, AuxInputWithoutDataIsSilentAndItsMeterDecays) {
    TRealTimeEngine& e = make();
    e.SetInDevice(1, kInA);
    e.SetOutDevice(1, kStereoA);
    SGSignalProcessor* in = addInput(1);
    {
        std::lock_guard<SGMutex> hold(context.mutex());
        SGSignalProcessor* out = pool.acquireOutput(1);
        out->setContext(&context);
        context.connect(in, 0, out, 0);
        context.connect(in, 1, out, 1);
    }
    e.MapDevices();
    Buffers b = buffersFor(256);
    for (auto& v : b.in[0]) v = 16383;
    cycle(b, 256);
    const float meter = e.InputMeter(1, 0);
    EXPECT_FLOAT_EQ(meter, 16383.0f / 32766.0f);

    // The device gave nothing this time (its side stopped).
    b.inPtr[0] = nullptr;
    cycle(b, 256);
    EXPECT_FLOAT_EQ(in->outletSignal(0)[0], 0.0f);
    EXPECT_FLOAT_EQ(in->outletSignal(1)[100], 0.0f);
    EXPECT_FLOAT_EQ(e.InputMeter(1, 0), meter * 0.59523811f);
    EXPECT_EQ(b.out[0][0], 0);

    // No device chosen at all: the same silence.
    e.SetInDevice(1, 0);
    e.MapDevices();
    EXPECT_EQ(e.InputMapping().slot[1], -1);
    Buffers none = buffersFor(256);
    cycle(none, 256);
    EXPECT_FLOAT_EQ(in->outletSignal(0)[10], 0.0f);
}

TEST_F(EngineTest, SoundInWithoutUseADCOpensNoInputDevice) {
    TRealTimeEngine& e = make();
    e.SetInDevice(0, kInA);
    e.SetOutDevice(0, kStereoA);
    auto* in = static_cast<VTSoundIn*>(addInput(0));
    addOutput(0, 0.1f);
    in->useADC.setValue(false);
    e.MapDevices();
    EXPECT_EQ(e.WaveStream().InputDeviceMask(), 0);
    EXPECT_EQ(e.InputMapping().slot[0], -1);

    in->useADC.setValue(true);
    e.MapDevices();
    EXPECT_EQ(e.WaveStream().InputDeviceMask(), 1);
    EXPECT_EQ(e.WaveStream().InputDevices(0), kInA);

    in->useADC.setValue(false);
    ASSERT_TRUE(e.StartAudio());
    EXPECT_TRUE(sim.IsOpen(kOutDir, 0));
    EXPECT_FALSE(sim.IsOpen(kInDir, 0));
    EXPECT_FALSE(sim.IsOpen(kInDir, 1));
}

TEST_F(EngineTest, QuadDeviceOpensWithFourChannelsAndPlaysTheMix) {
    TRealTimeEngine& e = make();
    e.SetOutDevice(0, kQuad);
    e.SetOutDevice(1, kQuad);
    addOutput(1, 0.5f);
    ASSERT_TRUE(e.StartAudio());
    ASSERT_TRUE(sim.IsOpen(kOutDir, 2));
    EXPECT_EQ(sim.OpenedChannels(kOutDir, 2), 4);
    const int frames = e.WaveStream().OutputFrames();
    for (int i = 0; i < 8; ++i) {
        const long queued = sim.QueuedTotal(kOutDir, 2);
        sim.Advance(frames);
        ASSERT_TRUE(sim.WaitQueued(kOutDir, 2, queued + 1));
    }
    const std::vector<std::int16_t> played = sim.Played(2);
    // The first buffers queued were silence; the seventh was computed by the engine.
    const std::size_t f = 6 * frames + 100;
    ASSERT_GT(played.size(), 4 * f + 3);
    EXPECT_EQ(played[4 * f + 0], 0);
    EXPECT_EQ(played[4 * f + 1], 0);
    EXPECT_EQ(played[4 * f + 2], deviceValue(0.5f));
    EXPECT_EQ(played[4 * f + 3], deviceValue(-0.25f));
}

// --- starting, stopping and device use

TEST_F(EngineTest, PatchWithoutOutputsStartsSilentAndOpensOnceSoundOutAppears) {
    TRealTimeEngine& e = make();
    e.SetOutDevice(0, kStereoA);
    ASSERT_TRUE(e.StartAudio());
    EXPECT_TRUE(e.IsAudioRunning());
    EXPECT_FALSE(e.WaveStream().Running());
    EXPECT_EQ(sim.OpenCount(kOutDir, 0), 0);

    e.UpdateDeviceUse();  // nothing changed
    EXPECT_EQ(sim.OpenCount(kOutDir, 0), 0);

    addOutput(0, 0.25f);
    e.UpdateDeviceUse();
    EXPECT_TRUE(e.WaveStream().Running());
    EXPECT_EQ(sim.OpenCount(kOutDir, 0), 1);
}

TEST_F(EngineTest, UpdateDeviceUseRestartsOnlyWhenTheNeededSetChanges) {
    TRealTimeEngine& e = make();
    e.SetOutDevice(0, kStereoA);
    e.SetInDevice(0, kInA);
    addOutput(0, 0.25f);
    auto* in = static_cast<VTSoundIn*>(addInput(0));
    in->useADC.setValue(false);
    ASSERT_TRUE(e.StartAudio());
    EXPECT_EQ(sim.OpenCount(kOutDir, 0), 1);
    EXPECT_FALSE(sim.IsOpen(kInDir, 0));

    // An auxiliary output without a device is still a change of the needed set.
    addOutput(3, 0.1f);
    // UpdateDeviceUse stops the stream, which waits for its buffers: run it beside the devices.
    auto restart = [&] {
        auto done = std::async(std::launch::async, [&] { e.UpdateDeviceUse(); });
        while (done.wait_for(std::chrono::milliseconds(2)) != std::future_status::ready)
            sim.Advance(e.WaveStream().OutputFrames());
        done.get();
    };
    restart();
    EXPECT_EQ(sim.OpenCount(kOutDir, 0), 2);

    restart();  // nothing changed
    EXPECT_EQ(sim.OpenCount(kOutDir, 0), 2);

    in->useADC.setValue(true);
    restart();
    EXPECT_EQ(sim.OpenCount(kOutDir, 0), 3);
    EXPECT_TRUE(sim.IsOpen(kInDir, 0));

    StopWhileAdvancing();
    EXPECT_FALSE(e.IsAudioRunning());
    e.UpdateDeviceUse();  // off: never starts anything
    EXPECT_FALSE(e.WaveStream().Running());
}

TEST_F(EngineTest, FailedDeviceRaisesAndAudioStaysOff) {
    TRealTimeEngine& e = make();
    e.SetOutDevice(0, kBroken);
    addOutput(0, 0.25f);
    EXPECT_THROW(e.StartAudio(), EWaveOutError);
    EXPECT_FALSE(e.IsAudioRunning());
}

// --- snapshots

TEST_F(EngineTest, TwoSnapshotsPerBufferOfSixteenBlocks) {
    TRealTimeEngine& e = make();
    e.SetOutDevice(0, kStereoA);
    addOutput(0, 0.5f);
    e.MapDevices();
    context.startClock();
    const std::uint32_t start = sim.TimeMs() + 1000;
    Buffers b = buffersFor(4096);
    cycle(b, 4096, start);
    cycle(b, 4096, start + 93);

    // Nothing has sounded yet: the empty record.
    EXPECT_EQ(e.CurrentMeterSnapshot().playTime, 0u);

    sim.AdvanceClock(44100);  // now = start
    TRealTimeEngine::MeterSnapshot first = e.CurrentMeterSnapshot();
    EXPECT_EQ(first.playTime, start);
    EXPECT_EQ(first.clockTicks, 0);
    EXPECT_FLOAT_EQ(first.outputMeters[0], 16383.0f / 32768.0f);

    sim.AdvanceClock(2048);  // 46.44 ms later
    TRealTimeEngine::MeterSnapshot second = e.CurrentMeterSnapshot();
    EXPECT_EQ(second.playTime, start + 46);  // 8 × 5.805 ms, truncated
    // Taken after the ninth block: 9 × 256 frames at 918.75 frames per tick.
    EXPECT_EQ(second.clockTicks, 2);

    sim.AdvanceClock(44100);  // far past everything
    TRealTimeEngine::MeterSnapshot last = e.CurrentMeterSnapshot();
    EXPECT_EQ(last.playTime, start + 93 + 46);
    // Never back to an older one.
    EXPECT_EQ(e.CurrentMeterSnapshot().playTime, last.playTime);
}

TEST_F(EngineTest, SnapshotReturnedIsTheNewestAlreadySounding) {
    TRealTimeEngine& e = make();
    e.SetOutDevice(0, kStereoA);
    addOutput(0, 0.5f);
    e.MapDevices();
    const std::uint32_t start = sim.TimeMs();
    Buffers b = buffersFor(4096);
    for (int i = 0; i < 4; ++i) cycle(b, 4096, start + 93 * i);
    sim.AdvanceClock(44100 / 10);  // 100 ms: records at +0, +46 and +93 have started
    EXPECT_EQ(e.CurrentMeterSnapshot().playTime, start + 93);
}

TEST_F(EngineTest, OverloadIndicatorAndLoadTextStartClear) {
    TRealTimeEngine& e = make();
    EXPECT_FALSE(e.TakeOverloadIndicator());
    EXPECT_EQ(e.CpuLoadText(), "CPU Load: 0.00");
}

// --- the cycle allocates nothing

TEST_F(EngineTest, BufferCycleAllocatesNothing) {
    TRealTimeEngine& e = make();
    e.SetOutDevice(0, kQuad);
    e.SetOutDevice(1, kQuad);
    e.SetOutDevice(2, kQuad);
    e.SetInDevice(0, kInA);
    e.SetInDevice(1, kInA);
    addOutput(0, 0.25f);
    addOutput(1, 0.25f);
    addOutput(2, 0.25f);
    addInput(0);
    SGSignalProcessor* aux = addInput(1);
    {
        std::lock_guard<SGMutex> hold(context.mutex());
        SGSignalProcessor* out = pool.acquireOutput(3);
        out->setContext(&context);
        context.connect(aux, 0, out, 0);
    }
    e.MapDevices();
    context.startClock();
    Buffers b = buffersFor(4096);
    cycle(b, 4096);  // warm
    EXPECT_NO_AUDIO_ALLOCATION(cycle(b, 4096));
}

}  // namespace
}  // namespace vantrel::test
