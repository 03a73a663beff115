// Device lists and the configuration setters of the wave stream.
#include <gtest/gtest.h>

#include <future>
#include "SimulatedStream.h"

#include "audio/EWaveError.h"

namespace vantrel::test {
namespace {

using WaveStreamConfig = SimulatedStreamTest;

TEST_F(WaveStreamConfig, ListsNoneFirstAndOnlyDevicesThatStreamStereo44k) {
    EXPECT_EQ(stream->OutputDeviceNames(),
              (std::vector<std::string>{"(None)", "Sim Out", "Sim Quad"}));
    EXPECT_EQ(stream->InputDeviceNames(), (std::vector<std::string>{"(None)", "Sim In"}));
    EXPECT_EQ(stream->OutputDeviceId(0), -1);
    EXPECT_EQ(stream->OutputDeviceId(2), 1);
    EXPECT_EQ(stream->OutputDeviceChannelCount(1), 2);
    EXPECT_EQ(stream->OutputDeviceChannelCount(2), 4);
}

TEST_F(WaveStreamConfig, DefaultsGive4096FramesAnd93MsPeriods) {
    EXPECT_EQ(stream->OutputBufferCount(), 4);
    EXPECT_EQ(stream->OutputBufferSize(), 16384);
    EXPECT_EQ(stream->InputBufferCount(), 4);
    EXPECT_EQ(stream->InputBufferSize(), 16384);
    EXPECT_EQ(stream->OutputFrames(), 4096);
    EXPECT_EQ(stream->OutputPeriodMs(), 93);
    EXPECT_EQ(stream->InputPeriodMs(), 93);
    EXPECT_EQ(stream->OutputDeviceMask(), -1);
    EXPECT_EQ(stream->OutputDeviceChannels(5), 2);
    EXPECT_TRUE(stream->RampEnds());
    EXPECT_TRUE(stream->Overdrive());
}

struct LimitCase {
    int requested;
    int stored;
    friend void PrintTo(const LimitCase& c, std::ostream* os) {
        *os << c.requested << " -> " << c.stored;
    }
};

class BufferSizeLimits : public SimulatedStreamTest,
                         public ::testing::WithParamInterface<LimitCase> {};

TEST_P(BufferSizeLimits, SizeIsAMultipleOfFourAndSmallSizesBecome128) {
    stream->SetOutputBufferSize(GetParam().requested);
    stream->SetInputBufferSize(GetParam().requested);
    EXPECT_EQ(stream->OutputBufferSize(), GetParam().stored);
    EXPECT_EQ(stream->InputBufferSize(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Sizes, BufferSizeLimits,
                         ::testing::Values(LimitCase{100, 128}, LimitCase{124, 128},
                                           LimitCase{125, 128}, LimitCase{127, 128},
                                           LimitCase{130, 128}, LimitCase{131, 128},
                                           LimitCase{4098, 4096}, LimitCase{16387, 16384},
                                           LimitCase{0, 128}, LimitCase{-4000, 128},
                                           // A damaged setting cannot ask for gigabytes.
                                           LimitCase{1 << 30, KDWaveStream::kMaxBufferSize}));

class BufferCountLimits : public SimulatedStreamTest,
                          public ::testing::WithParamInterface<LimitCase> {};

TEST_P(BufferCountLimits, CountIsLimitedTo1To16) {
    stream->SetOutputBufferCount(GetParam().requested);
    stream->SetInputBufferCount(GetParam().requested);
    EXPECT_EQ(stream->OutputBufferCount(), GetParam().stored);
    EXPECT_EQ(stream->InputBufferCount(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Counts, BufferCountLimits,
                         ::testing::Values(LimitCase{0, 1}, LimitCase{-3, 1}, LimitCase{1, 1},
                                           LimitCase{6, 6}, LimitCase{16, 16}, LimitCase{20, 16}));

TEST_F(WaveStreamConfig, DeviceIndexBeyondTheListBecomesNone) {
    stream->SetOutputDevices(0, 2);
    EXPECT_EQ(stream->OutputDevices(0), 2);
    stream->SetOutputDevices(0, 3);
    EXPECT_EQ(stream->OutputDevices(0), 0);
    stream->SetInputDevices(1, -1);
    EXPECT_EQ(stream->InputDevices(1), 0);
}

TEST_F(WaveStreamConfig, ChangesWhileRunningRestartOnlyWhenSomethingChanged) {
    UseOutput();
    stream->SetOutputBufferSize(4096);
    stream->StartStream();
    ASSERT_EQ(sim.OpenCount(kOut, 0), 1);

    stream->SetOutputBufferSize(4097);  // still 4096: nothing happens
    stream->SetOutputBufferCount(4);
    stream->SetOutputDevices(0, 1);
    stream->SetOutputDeviceChannels(0, 2);
    stream->SetOutputDeviceMask(-1);
    EXPECT_EQ(sim.OpenCount(kOut, 0), 1);

    // A real change stops the stream (with its fade-out) and starts it again.
    auto restart = std::async(std::launch::async, [&] { stream->SetOutputBufferCount(3); });
    while (restart.wait_for(std::chrono::milliseconds(2)) != std::future_status::ready) {
        sim.Advance(frames());
    }
    restart.get();
    EXPECT_TRUE(stream->Running());
    EXPECT_EQ(sim.OpenCount(kOut, 0), 2);
    EXPECT_EQ(stream->OutputBufferCount(), 3);
}

TEST_F(WaveStreamConfig, StartRaisesTheInputSizeToTheOutputSize) {
    stream->SetInputBufferSize(4096);
    stream->SetOutputBufferSize(8192);
    UseOutput();
    stream->StartStream();
    EXPECT_EQ(stream->InputBufferSize(), 8192);
}

}  // namespace
}  // namespace vantrel::test
