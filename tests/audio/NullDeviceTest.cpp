// "Null Output" and "Null Input": live audio on a machine without sound hardware or server.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "audio/KDWaveStream.h"
#include "platform/audio/KDNullBackend.h"

namespace vantrel::test {
namespace {

class CountingProcessor : public KDWaveProcessor {
public:
    void OnProcess(KDWaveStream&, const std::int16_t* const* inputs, std::uint32_t, int frames,
                   std::int16_t* const*) override {
        ++calls;
        if (inputs[0]) {
            for (int i = 0; i < frames * 2; ++i) {
                if (inputs[0][i] != 0) sawSound = true;
            }
        }
    }
    std::atomic<int> calls{0};
    std::atomic<bool> sawSound{false};
};

TEST(NullDevices, AreListedLastInTheProgramsDeviceLists) {
    KDWaveStream stream;  // the program's own devices
    ASSERT_GE(stream.OutputDeviceNames().size(), 2u);
    EXPECT_EQ(stream.OutputDeviceNames().front(), "(None)");
    EXPECT_EQ(stream.OutputDeviceNames().back(), "Null Output");
    EXPECT_EQ(stream.InputDeviceNames().back(), "Null Input");
    EXPECT_EQ(
        stream.OutputDeviceChannelCount(static_cast<int>(stream.OutputDeviceNames().size()) - 1),
        2);
}

TEST(NullDevices, RunAtTheRealTimePace) {
    KDNullBackend backend;
    KDAudioSystem system;
    system.AddBackend(backend);
    KDWaveStream stream(system);
    CountingProcessor processor;
    stream.SetOnProcess(&processor);
    stream.SetOutputDevices(0, 1);
    stream.SetInputDevices(0, 1);
    stream.SetOutputBufferSize(4096);  // 1024 frames: 23.2 ms
    stream.StartStream();
    const auto began = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    const int calls = processor.calls.load();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    stream.StopStream();
    // Loose bounds: the pace is the device's, not the machine's speed.
    const double expected = seconds * 44100 / 1024;
    EXPECT_GT(calls, expected * 0.5);
    EXPECT_LT(calls, expected * 1.5 + 4);  // the queue's start-up buffers come at once
    EXPECT_FALSE(processor.sawSound.load());
    EXPECT_FALSE(stream.Running());
}

}  // namespace
}  // namespace vantrel::test
