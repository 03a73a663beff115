// The buffer queue every backend shares, driven at periods unrelated to the buffer size (as
// a JACK server or an ALSA thread drives it).
#include <gtest/gtest.h>

#include <vector>

#include "platform/audio/KDQueuedDevice.h"
#include "platform/audio/KDSimulatedAudio.h"

namespace vantrel::test {
namespace {

struct Notices : KDAudioDeviceClient {
    void BufferDone(KDWaveHeader& header, std::uint32_t) noexcept override {
        done.push_back(static_cast<int>(header.user));
        recorded.push_back(header.bytesRecorded);
    }
    std::vector<int> done;
    std::vector<std::uint32_t> recorded;
};

class TestDevice : public KDQueuedDevice {
public:
    using KDQueuedDevice::KDQueuedDevice;
    using KDQueuedDevice::TransferIn;
    using KDQueuedDevice::TransferOut;

protected:
    void StopEngine() override {}
};

class QueuedDevice : public ::testing::Test {
protected:
    // Three mono-stereo buffers of 100 frames, frame values 1000 × buffer + frame.
    void MakeBuffers() {
        for (int b = 0; b < 3; ++b) {
            memory[b].resize(200);
            for (int f = 0; f < 100; ++f) memory[b][2 * f] = memory[b][2 * f + 1] = 1000 * b + f;
            headers[b].data = reinterpret_cast<char*>(memory[b].data());
            headers[b].bufferLength = 400;
            headers[b].user = b;
        }
    }

    KDSimulatedAudio clock;
    Notices notices;
    std::vector<std::int16_t> memory[3];
    KDWaveHeader headers[3];
};

TEST_F(QueuedDevice, OutputPlaysBuffersBackToBackWhateverThePeriod) {
    MakeBuffers();
    TestDevice device(KDAudioDirection::Output, KDWaveFormat::pcm16(2), notices, clock);
    for (auto& h : headers) {
        ASSERT_EQ(device.Prepare(h), KDAudioOk);
        ASSERT_EQ(device.Queue(h), KDAudioOk);
    }
    std::vector<std::int16_t> period(2 * 64);
    std::vector<int> played;
    for (int p = 0; p < 5; ++p) {
        int got = device.TransferOut(period.data(), 64, 0);
        for (int f = 0; f < 64; ++f) played.push_back(period[2 * f]);
        EXPECT_EQ(got, p < 4 ? 64 : 300 - 256);
        if (p == 1) {
            EXPECT_EQ(notices.done, (std::vector<int>{0}));
        }
    }
    EXPECT_EQ(notices.done, (std::vector<int>{0, 1, 2}));
    for (int i = 0; i < 300; ++i) ASSERT_EQ(played[i], 1000 * (i / 100) + i % 100) << i;
    for (int i = 300; i < 320; ++i) ASSERT_EQ(played[i], 0) << "silence once the queue is empty";
}

TEST_F(QueuedDevice, PauseHoldsPlaybackAndResetGivesEveryBufferBack) {
    MakeBuffers();
    TestDevice device(KDAudioDirection::Output, KDWaveFormat::pcm16(2), notices, clock);
    for (auto& h : headers) {
        device.Prepare(h);
        device.Queue(h);
    }
    device.Pause();
    std::vector<std::int16_t> period(2 * 64);
    EXPECT_EQ(device.TransferOut(period.data(), 64, 0), 0);
    device.Restart();
    EXPECT_EQ(device.TransferOut(period.data(), 64, 0), 64);
    EXPECT_EQ(period[0], 0 * 1000 + 0);
    EXPECT_EQ(device.Unprepare(headers[0]), KDAudioErrStillPlaying);
    EXPECT_EQ(device.Reset(), KDAudioOk);
    EXPECT_EQ(notices.done, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(device.Unprepare(headers[0]), KDAudioOk);
    EXPECT_EQ(device.Close(), KDAudioOk);
}

TEST_F(QueuedDevice, InputFillsBuffersInOrderAndResetReportsWhatWasRecorded) {
    MakeBuffers();
    TestDevice device(KDAudioDirection::Input, KDWaveFormat::pcm16(2), notices, clock);
    for (auto& h : headers) {
        device.Prepare(h);
        device.Queue(h);
    }
    std::vector<std::int16_t> period(2 * 70, 7);
    EXPECT_EQ(device.TransferIn(period.data(), 70, 0), 0) << "nothing recorded before Start";
    device.Start();
    EXPECT_EQ(device.TransferIn(period.data(), 70, 0), 70);
    EXPECT_EQ(device.TransferIn(period.data(), 70, 0), 70);
    EXPECT_EQ(notices.done, (std::vector<int>{0}));
    device.Reset();
    EXPECT_EQ(notices.done, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(notices.recorded, (std::vector<std::uint32_t>{400, 40 * 4, 0}));
    EXPECT_EQ(memory[1][0], 7);
    EXPECT_EQ(memory[1][2 * 40], 1000 + 40) << "beyond what was recorded stays untouched";
}

TEST_F(QueuedDevice, AFailedDeviceGivesItsBuffersBackAndReportsOnClose) {
    MakeBuffers();
    struct Failing : TestDevice {
        using KDQueuedDevice::MarkFailed;
        using TestDevice::TestDevice;
    } device(KDAudioDirection::Output, KDWaveFormat::pcm16(2), notices, clock);
    device.Prepare(headers[0]);
    device.Queue(headers[0]);
    device.MarkFailed(KDAudioErrDeviceLost, "cable pulled");
    EXPECT_EQ(notices.done, (std::vector<int>{0}));
    EXPECT_EQ(device.Queue(headers[0]), KDAudioErrDeviceLost);
    EXPECT_EQ(device.Close(), KDAudioErrDeviceLost);
    EXPECT_EQ(device.ErrorText(KDAudioErrDeviceLost),
              "The sound device is no longer available: cable pulled");
}

TEST_F(QueuedDevice, VolumeScalesLeftAndRightApart) {
    MakeBuffers();
    TestDevice device(KDAudioDirection::Output, KDWaveFormat::pcm16(2), notices, clock);
    device.SetVolume(0x0000FFFFu);  // left full, right silent
    device.Prepare(headers[1]);
    device.Queue(headers[1]);
    std::vector<std::int16_t> period(2 * 10);
    device.TransferOut(period.data(), 10, 0);
    EXPECT_EQ(period[2 * 5], 1005);
    EXPECT_EQ(period[2 * 5 + 1], 0);
}

}  // namespace
}  // namespace vantrel::test
