// The output cycle on simulated devices whose clock the tests move by hand.
#include <gtest/gtest.h>

#include <future>
#include <optional>

#include "SimulatedStream.h"
#include "support/AudioThreadGuard.h"

namespace vantrel::test {
namespace {

using WaveStreamCycle = SimulatedStreamTest;

// Fills every open output with one value per cycle: 100 × (cycle number + 1).
void fillWithCycleNumber(RecordingProcessor& processor) {
    auto cycle = std::make_shared<int>(0);
    processor.fill = [cycle](const std::int16_t* const*, int frames, std::int16_t* const* out) {
        ++*cycle;
        for (int s = 0; s < 8; ++s) {
            if (out[s]) std::fill(out[s], out[s] + frames * 2, std::int16_t(100 * *cycle));
        }
    };
}

// The value of every frame the device played, channel 0 only.
std::vector<int> playedFrames(const KDSimulatedAudio& sim, int device = 0, int channels = 2) {
    std::vector<int> frames;
    auto samples = sim.Played(device);
    for (std::size_t i = 0; i < samples.size(); i += channels) frames.push_back(samples[i]);
    return frames;
}

TEST_F(WaveStreamCycle, OpensOnlyMaskedSlotsAndHandsTheirBuffersToTheProcessor) {
    stream->SetOutputDevices(0, 1);
    stream->SetOutputDevices(2, 2);
    stream->SetOutputDeviceChannels(2, 4);
    stream->SetOutputDevices(3, 2);  // masked off below
    stream->SetOutputDeviceMask(~(1 << 3));
    stream->SetOutputBufferSize(4096);
    stream->StartStream();
    EXPECT_TRUE(sim.IsOpen(kOut, 0));
    EXPECT_EQ(sim.OpenedChannels(kOut, 1), 4);
    EXPECT_FALSE(sim.IsOpen(kIn, 0));
    // One cycle needs every output device to finish a buffer.
    long queued = sim.QueuedTotal(kOut, 0);
    sim.Advance(frames());
    ASSERT_TRUE(sim.WaitQueued(kOut, 0, queued + 1));
    auto calls = processor.calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].frames, 1024);
    EXPECT_EQ(calls[0].outputOpen,
              (std::array<bool, 8>{true, false, true, false, false, false, false, false}));
    EXPECT_EQ(calls[0].inputOpen, (std::array<bool, 8>{}));
}

TEST_F(WaveStreamCycle, WithoutAProcessorTheOutputsAreSilent) {
    stream->SetOnProcess(nullptr);
    stream->SetRampEnds(false);
    stream->SetOutputBufferSize(2048);
    UseOutput();
    stream->StartStream();
    Steps(6);
    for (int v : playedFrames(sim)) ASSERT_EQ(v, 0);
}

TEST_F(WaveStreamCycle, AVolumeOfZeroIsSetToFullOnOpening) {
    sim.AddDevice(kOut, {"Sim Muted", 2, true, 0});
    KDWaveStream muted(*system);
    muted.SetOutputDevices(0, 3);
    ASSERT_EQ(muted.OutputDeviceNames()[3], "Sim Muted");
    muted.SetRampEnds(false);
    muted.StartStream();
    EXPECT_EQ(sim.Volume(kOut, 3), 0xFFFFFFFFu);
    auto stopped = std::async(std::launch::async, [&] { muted.StopStream(); });
    while (stopped.wait_for(std::chrono::milliseconds(2)) != std::future_status::ready) {
        sim.Advance(muted.OutputFrames());
    }
}

TEST_F(WaveStreamCycle, FirstBufferFadesInOverItsFirst256Frames) {
    processor.fill = [](const std::int16_t* const*, int frames, std::int16_t* const* out) {
        std::fill(out[0], out[0] + frames * 2, std::int16_t{-10000});
    };
    stream->SetOutputBufferSize(4096);
    UseOutput();
    stream->StartStream();
    Steps(2);
    // The device first plays the four silent start-up buffers.
    sim.Advance(frames() * 4);
    auto played = playedFrames(sim);
    const int first = 4 * frames();
    ASSERT_GE(played.size(), static_cast<std::size_t>(first + 2 * frames()));
    for (int k = 0; k < 256; ++k) {
        ASSERT_EQ(played[first + k], -10000 * k / 256) << "frame " << k;  // toward zero
    }
    for (int k = 256; k < 2 * frames(); ++k) ASSERT_EQ(played[first + k], -10000) << k;
}

TEST_F(WaveStreamCycle, StopFadesTheLastBufferOutAndPlaysEveryQueuedBuffer) {
    processor.fill = [](const std::int16_t* const*, int frames, std::int16_t* const* out) {
        std::fill(out[0], out[0] + frames * 2, std::int16_t{8000});
    };
    stream->SetOutputBufferSize(4096);
    UseOutput();
    stream->StartStream();
    Steps(3);
    EXPECT_EQ(StopWhileAdvancing(), "");
    EXPECT_FALSE(stream->Running());
    EXPECT_FALSE(sim.IsOpen(kOut, 0));

    auto played = playedFrames(sim);
    const int computed = static_cast<int>(processor.calls().size());
    int last = static_cast<int>(played.size()) - 1;
    while (last >= 0 && played[last] == 0) --last;
    ASSERT_GE(last, 0);
    // Four silent buffers, then every computed buffer, the last one ending in the fade-out.
    EXPECT_EQ(last + 1, (4 + computed) * frames());
    const int start = last + 1 - 256;
    for (int k = 0; k < 256; ++k) ASSERT_EQ(played[start + k], 8000 * (256 - k) / 256) << k;
    for (int f = 4 * frames() + 256; f < start; ++f) ASSERT_EQ(played[f], 8000) << f;
}

TEST_F(WaveStreamCycle, TinyBuffersRampOverTheWholeBuffer) {
    processor.fill = [](const std::int16_t* const*, int frames, std::int16_t* const* out) {
        std::fill(out[0], out[0] + frames * 2, std::int16_t{6400});
    };
    stream->SetOutputBufferSize(128);  // 32 frames, shorter than a ramp
    UseOutput();
    stream->StartStream();
    Steps(2);
    sim.Advance(frames() * 4);
    auto played = playedFrames(sim);
    const int first = 4 * frames();
    for (int k = 0; k < 32; ++k) ASSERT_EQ(played[first + k], 6400 * k / 32) << k;
    EXPECT_EQ(played[first + 32], 6400);
}

TEST_F(WaveStreamCycle, UnderrunRepeatsTheNewestBufferAndCountsOnce) {
    fillWithCycleNumber(processor);
    stream->SetRampEnds(false);
    stream->SetOutputBufferSize(4096);
    UseOutput();
    stream->StartStream();
    Steps(4);  // cycles 1 … 4 computed; the device now holds buffers 1 … 4
    EXPECT_FALSE(stream->TakeOverloadFlag());

    // A stall: every queued buffer plays before the output thread gets to run again.
    long queued = sim.QueuedTotal(kOut, 0);
    stream->LockProcessing();
    sim.Advance(frames() * 4);
    stream->UnlockProcessing();
    // Three repeats of the newest buffer, then the freshly computed one.
    ASSERT_TRUE(sim.WaitQueued(kOut, 0, queued + 4));
    AwaitCycleEnd();
    EXPECT_EQ(stream->PendingOverloads(), 1);
    EXPECT_TRUE(stream->TakeOverloadFlag());
    EXPECT_EQ(processor.calls().size(), 5u);
    Steps(2);
    EXPECT_FALSE(stream->TakeOverloadFlag());

    sim.Advance(frames() * 4);
    auto played = playedFrames(sim);
    std::vector<int> perBuffer;
    for (std::size_t f = 4 * frames(); f + frames() <= played.size(); f += frames()) {
        perBuffer.push_back(played[f]);
    }
    ASSERT_GE(perBuffer.size(), 10u);
    EXPECT_EQ(std::vector<int>(perBuffer.begin(), perBuffer.begin() + 10),
              (std::vector<int>{100, 200, 300, 400, 400, 400, 400, 500, 600, 700}));
}

TEST_F(WaveStreamCycle, PlayTimeIsTheLastFinishPlusTheBuffersAhead) {
    stream->SetOutputBufferSize(16384);
    UseOutput();
    stream->StartStream();
    Step();
    const std::uint32_t finished = sim.TimeMs();
    // Three buffers are queued ahead of the one being computed: 3 × 93 ms.
    ASSERT_EQ(processor.calls().size(), 1u);
    EXPECT_EQ(processor.calls()[0].playTime, finished + 3 * 93);

    // Two buffers finish before the thread runs: one is handled now with two ahead of it, the
    // other by the next pass.
    long queued = sim.QueuedTotal(kOut, 0);
    stream->LockProcessing();
    sim.Advance(frames() * 2);
    const std::uint32_t later = sim.TimeMs();
    stream->UnlockProcessing();
    ASSERT_TRUE(sim.WaitQueued(kOut, 0, queued + 2));
    auto calls = processor.calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[1].playTime, later + 2 * 93);
    EXPECT_EQ(calls[2].playTime, later + 3 * 93);
    AwaitCycleEnd();
    EXPECT_EQ(stream->PendingOverloads(), 0);
}

struct SliceCase {
    int inputSize;
    std::vector<long> firstFrames;  // first input frame seen by output cycles 1, 2, 3 …
    friend void PrintTo(const SliceCase& c, std::ostream* os) {
        *os << "input " << c.inputSize << " bytes";
    }
};

class InputSlicing : public SimulatedStreamTest, public ::testing::WithParamInterface<SliceCase> {};

TEST_P(InputSlicing, EachInputBufferFeedsSuccessiveOutputCycles) {
    stream->SetInputDevices(0, 1);
    stream->SetInputBufferSize(GetParam().inputSize);
    stream->SetOutputBufferSize(16384);
    UseOutput();
    stream->StartStream();
    const auto& expected = GetParam().firstFrames;
    Steps(static_cast<int>(expected.size()));
    auto calls = processor.calls();
    ASSERT_EQ(calls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(calls[i].inputOpen[0]);
        EXPECT_EQ(calls[i].firstInputFrame, expected[i]) << "cycle " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, InputSlicing,
    ::testing::Values(
        // Equal sizes: every cycle takes the buffer the input filled last.
        SliceCase{16384, {0, 4096, 8192, 12288, 16384, 20480}},
        // Four times the output size: four cycles read the quarters of one input buffer. The
        // first four read the not yet filled buffer (silence, frame 0).
        SliceCase{65536, {0, 0, 0, 0, 0, 4096, 8192, 12288, 16384, 20480, 24576, 28672}}));

TEST_F(WaveStreamCycle, InputsThatDoNotDivideEvenlyNeverReadPastTheirBuffer) {
    // 6144 frames of input per buffer, 4096 per output cycle: the rest of a buffer is too
    // short for a cycle, so each cycle starts a buffer of its own.
    stream->SetInputDevices(0, 1);
    stream->SetInputBufferSize(24576);
    stream->SetOutputBufferSize(16384);
    UseOutput();
    stream->StartStream();
    Steps(6);
    auto calls = processor.calls();
    for (const auto& call : calls)
        EXPECT_EQ(call.firstInputFrame % 6144, 0) << call.firstInputFrame;
}

TEST_F(WaveStreamCycle, CpuLoadIsProcessingTimeOverThePeriodAndOverloadsAreCounted) {
    double spendUs = 0;
    processor.fill = [&](const std::int16_t* const*, int, std::int16_t* const*) {
        sim.AdvanceCounterUs(spendUs);
    };
    stream->SetOutputBufferSize(16384);  // a period of 92.88 ms
    stream->SetOverdrive(false);
    UseOutput();
    stream->StartStream();
    const double period = 4096 * 1e6 / 44100;
    spendUs = period / 2;
    Steps(5);
    EXPECT_NEAR(stream->CpuLoad(), 0.5, 1e-3);
    EXPECT_FALSE(stream->TakeOverloadFlag());

    // Twice the period: after three such cycles the five-cycle mean passes 1.
    spendUs = period * 2;
    Step();
    EXPECT_LT(stream->CpuLoad(), 1.0);
    EXPECT_FALSE(stream->TakeOverloadFlag());
    for (int poll = 0; poll < 4; ++poll) {
        Step();
        EXPECT_GT(stream->CpuLoad(), 1.0);
        EXPECT_TRUE(stream->TakeOverloadFlag()) << "poll " << poll;
    }
    // The output keeps running, and the load falls back once processing is quick again.
    spendUs = 0;
    Steps(5);
    EXPECT_NEAR(stream->CpuLoad(), 0.0, 1e-9);
    stream->TakeOverloadFlag();
    Step();
    EXPECT_FALSE(stream->TakeOverloadFlag());
    StopWhileAdvancing();
}

TEST_F(WaveStreamCycle, TheBufferCycleAllocatesNothing) {
    std::optional<AudioThreadGuard> guard;
    std::atomic<long> allocations{0}, frees{0}, cycles{0};
    std::atomic<bool> watching{true};
    processor.fill = [&](const std::int16_t* const* in, int frames, std::int16_t* const* out) {
        // Each guard watches the output thread from one call to the next: the whole cycle
        // apart from the processor itself.
        if (guard) {
            allocations += guard->allocations();
            frees += guard->frees();
            ++cycles;
            guard.reset();
        }
        if (watching) guard.emplace();
        for (int f = 0; f < frames * 2; ++f) out[0][f] = in[0][f];
    };
    stream->SetInputDevices(0, 1);
    stream->SetInputBufferSize(32768);
    stream->SetOutputBufferSize(8192);
    UseOutput();
    stream->StartStream();
    Steps(12);
    // One stall as well, so the underrun path is watched too.
    long queued = sim.QueuedTotal(kOut, 0);
    stream->LockProcessing();
    sim.Advance(frames() * 4);
    stream->UnlockProcessing();
    ASSERT_TRUE(sim.WaitQueued(kOut, 0, queued + 4));
    Steps(2);
    watching = false;
    Step();  // the last guard ends on the thread it watched
    EXPECT_GE(cycles.load(), 14);
    EXPECT_EQ(allocations.load(), 0);
    EXPECT_EQ(frees.load(), 0);
    StopWhileAdvancing();
}

}  // namespace
}  // namespace vantrel::test
