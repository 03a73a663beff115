#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/audio/KDAudioBackend.h"
#include "platform/audio/KDWaveClock.h"

class KDSimulatedDevice;

// Wave devices for tests and benchmarks, with a clock that only moves when Advance is called.
// Advance plays (or records) that many frames on every open device, on the caller's thread,
// and gives the completion notices there, so a test decides exactly when each buffer finishes.
//
// Output devices keep what they played (up to the capture limit); input devices record a
// counting pattern: channel 0 holds the frame number's low 15 bits, channel 1 the next 15, and
// channel c ≥ 2 the value 1000 × c.
class KDSimulatedAudio : public KDAudioBackend, public KDWaveClock {
public:
    struct DeviceSpec {
        DeviceSpec(std::string name, int channels = 2, bool supports44kStereo16 = true,
                   std::uint32_t initialVolume = 0xFFFFFFFFu, int openError = 0,
                   std::string openErrorText = {})
            : name(std::move(name)),
              channels(channels),
              supports44kStereo16(supports44kStereo16),
              initialVolume(initialVolume),
              openError(openError),
              openErrorText(std::move(openErrorText)) {}

        std::string name;
        int channels;
        bool supports44kStereo16;
        std::uint32_t initialVolume;
        int openError;              // Open fails with this code when non-zero
        std::string openErrorText;  // and this text
    };

    static constexpr std::int64_t kCounterFrequency = 10000000;  // 0.1 µs counts

    KDSimulatedAudio();
    ~KDSimulatedAudio() override;

    int AddDevice(KDAudioDirection direction, DeviceSpec desc);

    // --- the clock
    std::uint32_t TimeMs() const override;
    std::int64_t Counter() const override { return counter_.load(); }
    std::int64_t CounterFrequency() const override { return kCounterFrequency; }
    // Moves the high-resolution counter only (a test's stand-in for processing time).
    void AdvanceCounterUs(double microseconds);

    // --- the devices
    // Moves the clock by `frames` frames, then records them on every open input and plays them
    // on every open output.
    void Advance(int frames);
    // The three steps of Advance one at a time, for tests that order inputs before outputs.
    void AdvanceClock(int frames);
    void RecordInputs(int frames);
    void PlayOutputs(int frames);
    // The device (by its index among AddDevice calls of that direction) stops working: queued
    // buffers come back, later calls fail with `code` and `detail`.
    void FailDevice(KDAudioDirection direction, int index, int code, const std::string& detail);

    bool IsOpen(KDAudioDirection direction, int index) const;
    int OpenedChannels(KDAudioDirection direction, int index) const;
    long QueuedTotal(KDAudioDirection direction, int index) const;  // Queue calls so far
    long OpenCount(KDAudioDirection direction, int index) const;
    // Waits (real time) until QueuedTotal reaches `count`; false on timeout.
    bool WaitQueued(KDAudioDirection direction, int index, long count,
                    std::chrono::milliseconds timeout = std::chrono::seconds(5)) const;
    // Frames the output device has played since it was opened (interleaved samples).
    std::vector<std::int16_t> Played(int outputIndex) const;
    std::uint32_t Volume(KDAudioDirection direction, int index) const;
    void SetCaptureLimit(std::size_t frames) { captureLimit_ = frames; }

    // --- KDAudioBackend
    std::vector<KDAudioDeviceInfo> Devices(KDAudioDirection direction) override;
    int Open(KDAudioDirection direction, int index, const KDWaveFormat& format,
             KDAudioDeviceClient& client, const KDWaveClock& clock,
             std::unique_ptr<KDAudioDevice>& device, std::string& error) override;

private:
    friend class KDSimulatedDevice;
    struct Slot {
        explicit Slot(DeviceSpec s) : desc(std::move(s)) {}
        DeviceSpec desc;
        KDSimulatedDevice* open = nullptr;
        int openedChannels = 0;
        long queued = 0;
        long opened = 0;
        long long inputFrame = 0;
        std::vector<std::int16_t> played;
    };
    Slot& slot(KDAudioDirection direction, int index);
    const Slot& slot(KDAudioDirection direction, int index) const;
    void Detach(KDSimulatedDevice* device);
    void NoteQueued(KDSimulatedDevice* device);

    mutable std::mutex mutex_;
    mutable std::condition_variable queuedChanged_;
    std::vector<Slot> outputs_;
    std::vector<Slot> inputs_;
    std::vector<std::int16_t> scratch_;
    std::atomic<long long> frames_{0};
    std::atomic<std::int64_t> counter_{0};
    std::size_t captureLimit_ = 44100 * 20;
};
