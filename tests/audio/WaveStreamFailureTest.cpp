// Devices that cannot be opened or that go away while the stream runs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "SimulatedStream.h"
#include "audio/EWaveError.h"
#include "platform/audio/KDAudioError.h"

namespace vantrel::test {
namespace {

using ::testing::HasSubstr;
using WaveStreamFailure = SimulatedStreamTest;

TEST_F(WaveStreamFailure, AnOutputThatCannotOpenRaisesWithTheDevicesTextAndLeavesNothingOpen) {
    sim.AddDevice(
        kOut, {"Sim Broken", 2, true, 0xFFFFFFFFu, KDAudioErrAllocated, "held by another program"});
    KDWaveStream broken(*system);
    broken.SetInputDevices(0, 1);
    broken.SetOutputDevices(0, 1);
    broken.SetOutputDevices(1, 3);
    try {
        broken.StartStream();
        FAIL() << "StartStream succeeded";
    } catch (const EWaveOutError& e) {
        EXPECT_EQ(e.code, KDAudioErrAllocated);
        EXPECT_THAT(e.what(), HasSubstr("held by another program"));
    }
    EXPECT_FALSE(broken.Running());
    EXPECT_FALSE(sim.IsOpen(kOut, 0));
    EXPECT_FALSE(sim.IsOpen(kIn, 0));
    broken.StopStream();  // nothing left to close, and it returns
}

TEST_F(WaveStreamFailure, AnInputThatCannotOpenRaisesAnInputError) {
    sim.AddDevice(kIn, {"Sim In Broken", 2, true, 0xFFFFFFFFu, KDAudioErrNoDriver, "unplugged"});
    KDWaveStream broken(*system);
    broken.SetInputDevices(0, 2);
    broken.SetOutputDevices(0, 1);
    EXPECT_THROW(broken.StartStream(), EWaveInError);
    EXPECT_FALSE(broken.Running());
    EXPECT_FALSE(sim.IsOpen(kOut, 0));
}

TEST_F(WaveStreamFailure, AFormatTheDeviceCannotTakeRaises) {
    UseOutput();
    stream->SetOutputDeviceChannels(0, 4);  // "Sim Out" is stereo
    try {
        stream->StartStream();
        FAIL() << "StartStream succeeded";
    } catch (const EWaveOutError& e) {
        EXPECT_EQ(e.code, KDAudioErrBadFormat);
        EXPECT_THAT(e.what(), HasSubstr("format"));
    }
    EXPECT_FALSE(stream->Running());
}

TEST_F(WaveStreamFailure, AnOutputThatGoesAwayIsReportedWhenTheStreamStops) {
    stream->SetOutputBufferSize(2048);
    UseOutput();
    stream->StartStream();
    Steps(3);
    sim.FailDevice(kOut, 0, KDAudioErrDeviceLost, "server has gone away");
    // Whatever the thread queues now is refused; it stops getting notices.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const auto began = std::chrono::steady_clock::now();
    try {
        stream->StopStream();
        FAIL() << "StopStream reported nothing";
    } catch (const EWaveOutError& e) {
        EXPECT_EQ(e.code, KDAudioErrDeviceLost);
        EXPECT_THAT(e.what(), HasSubstr("server has gone away"));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(2));
    EXPECT_FALSE(stream->Running());
    EXPECT_FALSE(sim.IsOpen(kOut, 0));
    // The stream can start again on a working device.
    stream->SetOutputDevices(0, 2);
    outputDevice = 1;
    stream->StartStream();
    Steps(2);
}

TEST_F(WaveStreamFailure, AnInputThatGoesAwayStopsTheInputSideOnly) {
    std::atomic<int> loudest{0};
    processor.fill = [&](const std::int16_t* const* in, int frames, std::int16_t* const*) {
        int peak = 0;
        for (int f = 0; f < frames * 2; ++f) peak = std::max(peak, std::abs(int{in[0][f]}));
        loudest = peak;
    };
    stream->SetInputDevices(0, 1);
    stream->SetOutputBufferSize(4096);
    stream->SetInputBufferSize(4096);
    UseOutput();
    stream->StartStream();
    Steps(3);
    EXPECT_GT(loudest.load(), 0);
    sim.FailDevice(kIn, 0, KDAudioErrDeviceLost, "microphone unplugged");
    // The device gave its buffers back; re-queuing them fails and the input side stops.
    for (int i = 0; i < 500 && !stream->InputStopped(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_TRUE(stream->InputStopped());
    EXPECT_EQ(stream->LastResult(), KDAudioErrDeviceLost);
    // The outputs go on, with silence for the lost input.
    long queued = sim.QueuedTotal(kOut, 0);
    for (int i = 0; i < 4; ++i) {
        sim.Advance(frames());
        ASSERT_TRUE(sim.WaitQueued(kOut, 0, queued + i + 1));
    }
    EXPECT_EQ(loudest.load(), 0);
    EXPECT_THAT(StopWhileAdvancing(), HasSubstr("microphone unplugged"));
    EXPECT_FALSE(stream->Running());
    EXPECT_FALSE(sim.IsOpen(kIn, 0));
}

TEST_F(WaveStreamFailure, StopReturnsWhileProcessingIsLocked) {
    UseOutput();
    stream->SetOutputBufferSize(4096);
    stream->StartStream();
    Steps(2);
    stream->LockProcessing();
    stream->LockProcessing();  // does not nest
    EXPECT_TRUE(stream->Locked());
    EXPECT_EQ(StopWhileAdvancing(), "");
    EXPECT_FALSE(stream->Locked());
    EXPECT_FALSE(stream->Running());
}

TEST_F(WaveStreamFailure, StopReturnsWhenTheDeviceStallsDuringTheFadeOut) {
    UseOutput();
    stream->SetOutputBufferSize(4096);
    stream->StartStream();
    Steps(2);
    // Nobody advances the clock any more: the fade-out never gets a finished buffer.
    const auto began = std::chrono::steady_clock::now();
    stream->StopStream();
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(2));
    EXPECT_FALSE(stream->Running());
    EXPECT_FALSE(sim.IsOpen(kOut, 0));
}

TEST_F(WaveStreamFailure, WithNoOutputDeviceTheStreamStartsAndStopsWithoutProcessing) {
    // An input alone, then nothing at all: no output paces the cycle, so nothing is processed,
    // and stopping returns.
    for (int input : {1, 0}) {
        stream->SetInputDevices(0, input);
        stream->StartStream();
        EXPECT_TRUE(stream->Running());
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        stream->StopStream();
        EXPECT_FALSE(stream->Running());
        EXPECT_FALSE(sim.IsOpen(kIn, 0));
    }
    EXPECT_TRUE(processor.calls().empty());
}

}  // namespace
}  // namespace vantrel::test
