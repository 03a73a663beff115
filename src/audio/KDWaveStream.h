#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <semaphore>
#include <string>
#include <thread>
#include <vector>

#include "audio/KDWaveBufferQueue.h"
#include "audio/KDWaveProcessor.h"
#include "platform/audio/KDAudioDevice.h"
#include "platform/audio/KDAudioSystem.h"

// Streams 16-bit PCM at 44100 Hz to up to eight output devices and from up to eight input
// devices at once. One time-critical output thread calls the processor once per output buffer
// period; a second thread keeps the input devices supplied with buffers. The stream recovers
// from underruns, fades the first and last buffer in and out, estimates when each buffer will
// sound, and measures its processing load.
//
// Start, stop and every setter belong to one thread (the user interface); device failures
// raise EWaveInError or EWaveOutError with the device's own text.
class KDWaveStream {
public:
    static constexpr int kSlots = KDWaveProcessor::kSlots;
    static constexpr int kRampFrames = 256;
    static constexpr int kMaxBufferSize = 1 << 20;  // bytes; keeps a damaged setting harmless

    explicit KDWaveStream(KDAudioSystem& system = KDAudioSystem::Default());
    ~KDWaveStream();
    KDWaveStream(const KDWaveStream&) = delete;
    KDWaveStream& operator=(const KDWaveStream&) = delete;

    // --- device lists, built when the stream is created. Entry 0 is "(None)".
    const std::vector<std::string>& InputDeviceNames() const { return inputs_.names; }
    const std::vector<std::string>& OutputDeviceNames() const { return outputs_.names; }
    int InputDeviceChannelCount(int index) const;
    int OutputDeviceChannelCount(int index) const;
    // The device's position in the system's list, −1 for "(None)".
    int InputDeviceId(int index) const;
    int OutputDeviceId(int index) const;

    // --- configuration
    int InputBufferCount() const { return inputs_.bufferCount; }
    int InputBufferSize() const { return inputs_.bufferSize; }
    int OutputBufferCount() const { return outputs_.bufferCount; }
    int OutputBufferSize() const { return outputs_.bufferSize; }
    void SetInputBufferCount(int count);
    void SetInputBufferSize(int size);
    void SetOutputBufferCount(int count);
    void SetOutputBufferSize(int size);

    int InputDevices(int slot) const { return inputs_.devices[slot]; }
    int InputDeviceChannels(int slot) const { return inputs_.channels[slot]; }
    int InputDeviceMask() const { return inputs_.mask; }
    int OutputDevices(int slot) const { return outputs_.devices[slot]; }
    int OutputDeviceChannels(int slot) const { return outputs_.channels[slot]; }
    int OutputDeviceMask() const { return outputs_.mask; }
    void SetInputDevices(int slot, int index);
    void SetInputDeviceChannels(int slot, int channels);
    void SetInputDeviceMask(int mask);
    void SetOutputDevices(int slot, int index);
    void SetOutputDeviceChannels(int slot, int channels);
    void SetOutputDeviceMask(int mask);

    bool RampEnds() const { return rampEnds_; }
    void SetRampEnds(bool on) { rampEnds_ = on; }
    bool Overdrive() const { return overdrive_.load(); }
    void SetOverdrive(bool on) { overdrive_ = on; }

    // Installed before or while running; null fills the outputs with silence.
    void SetOnProcess(KDWaveProcessor* processor);

    // --- running
    void StartStream();
    void StopStream();
    bool Running() const { return running_; }

    // Holds off the output thread (and the input thread's re-queueing). Does not nest: a second
    // call while locked does nothing. Unlock from the thread that locked.
    void LockProcessing();
    void UnlockProcessing();
    bool Locked() const { return locked_.load(); }

    // True when an underrun or an overloaded cycle happened since the last call.
    bool TakeOverloadFlag();
    // Processing time over the last five cycles as a fraction of the output buffer period.
    double CpuLoad() const;
    // Underruns and overloaded cycles not yet taken by TakeOverloadFlag.
    int PendingOverloads() const { return overloads_.load(); }
    // The last result of queuing on the stream's threads (0 = fine).
    int LastResult() const { return lastResult_.load(); }
    // True once the input side stopped because a device would take no more buffers.
    bool InputStopped() const { return inputStopped_.load(); }

    // The clock of play times and load measurement (the engine compares snapshot times with it).
    const KDWaveClock& Clock() const { return clock_; }

    int OutputFrames() const { return outputs_.bufferSize / 4; }
    int InputPeriodMs() const { return PeriodMs(inputs_.bufferSize); }
    int OutputPeriodMs() const { return PeriodMs(outputs_.bufferSize); }

private:
    struct Semaphore {
        std::counting_semaphore<> s{0};
    };
    // Completion notices of one opened device.
    struct Notice : KDAudioDeviceClient {
        Semaphore* semaphore = nullptr;
        std::atomic<std::uint32_t>* lastDone = nullptr;
        void BufferDone(KDWaveHeader&, std::uint32_t timeMs) noexcept override;
    };
    // Everything that exists once per direction.
    struct Side {
        std::vector<std::string> names;
        std::vector<KDAudioSystem::Entry> entries;  // entries[i] for names[i + 1]
        std::vector<int> ids;
        int bufferCount = 4;
        int bufferSize = 16384;
        std::array<int, kSlots> devices{};
        std::array<int, kSlots> channels{2, 2, 2, 2, 2, 2, 2, 2};
        int mask = -1;
        std::array<KDWaveBufferQueue, kSlots> queues;
        // Opened devices in slot order: opened[k] serves slot slotOf[k].
        std::array<std::unique_ptr<KDAudioDevice>, kSlots> opened;
        std::array<int, kSlots> slotOf{};
        std::array<Semaphore, kSlots> semaphores;
        std::array<Notice, kSlots> notices;
        int count = 0;
    };

    static int PeriodMs(int size) { return size / 4 * 1000 / 44100 + 1; }
    static int LimitCount(int count);
    static int LimitSize(int size);
    void BuildList(Side& side, KDAudioDirection direction);
    template <typename Change>
    void Reconfigure(Change change);

    void OpenDevices(Side& side, KDAudioDirection direction);
    void OpenOne(Side& side, KDAudioDirection direction, int slot);
    void PrepareBuffers(Side& side, KDAudioDirection direction);
    void Abort();
    int CloseSide(Side& side, std::string& text);
    [[noreturn]] void Raise(KDAudioDirection direction, int code, const std::string& text);
    void Check(KDAudioDirection direction, KDAudioDevice& device, int code);

    static bool WaitAll(Side& side, int timeoutMs);
    static bool TryAll(Side& side);
    static void ReleaseAll(Side& side);
    static void Drain(Side& side);

    void OutputThread();
    void InputThread();
    void RecoverUnderrun(int ready);
    void HandOffInput();
    void Ramp(bool fadeOut);
    void QueueCurrentOutputs();
    void WaitForInFlight();
    std::uint32_t PlayTime(int ready) const;

    KDAudioSystem& system_;
    const KDWaveClock& clock_;
    Side inputs_;
    Side outputs_;
    bool rampEnds_ = true;
    std::atomic<bool> overdrive_{true};
    std::atomic<KDWaveProcessor*> processor_{nullptr};

    bool running_ = false;
    std::atomic<bool> locked_{false};
    std::mutex processing_;
    std::atomic<bool> threadsRun_{false};
    std::atomic<bool> abandon_{false};  // the output thread need not wait for its buffers
    std::thread outputThread_;
    std::thread inputThread_;

    // Output thread state.
    int current_ = 0;
    int inFlight_ = 0;
    std::array<std::atomic<std::uint32_t>, kSlots> lastDone_{};
    std::array<std::int16_t*, kSlots> outputPointers_{};
    std::atomic<bool> rampInPending_{false};
    std::atomic<bool> rampOutRequested_{false};
    std::array<std::atomic<double>, 5> loadRing_{};
    int loadIndex_ = 0;

    // Input state.
    int inputThreadIndex_ = 0;
    int readIndex_ = 0;
    int inputBytesLeft_ = 0;
    std::array<const std::int16_t*, kSlots> readPointers_{};
    std::atomic<bool> inputStopped_{false};

    std::atomic<int> overloads_{0};
    std::atomic<int> lastResult_{0};
};
