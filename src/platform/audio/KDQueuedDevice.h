#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "platform/audio/KDAudioDevice.h"
#include "platform/audio/KDAudioError.h"
#include "platform/audio/KDWaveClock.h"
#include "platform/audio/KDWaveFormat.h"

// The buffer queue every backend shares: headers are queued in order, the backend's engine (a
// device thread, a server callback, a test) moves frames between them and its own period buffers
// with TransferOut/TransferIn, and every buffer that is used up goes back to the client with its
// completion notice. The engine may run at any period; buffers need not match it.
class KDQueuedDevice : public KDAudioDevice {
public:
    static constexpr int kMaxQueued = 64;

    KDQueuedDevice(KDAudioDirection direction, const KDWaveFormat& format,
                   KDAudioDeviceClient& client, const KDWaveClock& clock);
    ~KDQueuedDevice() override = default;

    int Prepare(KDWaveHeader& header) override;
    int Unprepare(KDWaveHeader& header) override;
    int Queue(KDWaveHeader& header) override;
    int Start() override;
    int Pause() override;
    int Restart() override;
    int Reset() override;
    int Close() final;
    int GetVolume(std::uint32_t& volume) override;
    int SetVolume(std::uint32_t volume) override;
    std::string ErrorText(int code) const override;

    KDAudioDirection direction() const { return direction_; }
    const KDWaveFormat& format() const { return format_; }
    bool failed() const { return failCode_.load(std::memory_order_acquire) != KDAudioOk; }

protected:
    // Output: fills `frames` frames at dst from the queued buffers (silence where none is queued
    // or playback is paused) and returns how many came from buffers. With mayWait false the call
    // never sleeps on the queue's lock: it spins briefly, and gives silence if that fails.
    int TransferOut(std::int16_t* dst, int frames, std::uint32_t timeMs, bool mayWait = true);
    // Input: stores `frames` frames from src into the queued buffers; frames with no buffer to
    // take them are dropped. Returns how many were stored.
    int TransferIn(const std::int16_t* src, int frames, std::uint32_t timeMs, bool mayWait = true);

    // True while the device should move frames: an output not paused, an input started.
    bool Active() const;
    // For device threads: waits until there is work (active with a buffer queued), the device
    // is stopping, or the timeout passes. Returns true when there is work.
    bool WaitForWork(std::chrono::milliseconds timeout);
    bool Stopping() const { return stopping_.load(std::memory_order_acquire); }
    // Tells the device's thread to end (Close does this; so must a destructor).
    void RequestStop();

    // The device cannot go on (server gone, hardware removed): every queued buffer goes back,
    // later calls fail with `code`, and Close reports it with `detail`.
    void MarkFailed(int code, const char* detail);
    // Remembers the backend's words for the next failure code returned to the client.
    void SetDetail(const char* detail);

    // The backend stops its thread or callbacks; no Transfer call may follow.
    virtual void StopEngine() = 0;
    // Called after every state change that may give a device thread work.
    virtual void WorkChanged() {}

private:
    bool Acquire(std::unique_lock<std::mutex>& lock, bool mayWait);
    void GiveBackAll();
    void Complete(KDWaveHeader& header, std::uint32_t timeMs);
    void ApplyVolume(std::int16_t* samples, int frames) const;

    const KDAudioDirection direction_;
    const KDWaveFormat format_;
    KDAudioDeviceClient& client_;

protected:
    const KDWaveClock& clock_;

private:
    mutable std::mutex mutex_;
    std::condition_variable work_;
    std::array<KDWaveHeader*, kMaxQueued> ring_{};
    int head_ = 0;
    int count_ = 0;
    std::uint32_t headOffset_ = 0;  // bytes of the head buffer already moved
    bool active_;
    std::atomic<bool> stopping_{false};
    bool closed_ = false;
    std::atomic<std::uint32_t> volume_{0xFFFFFFFFu};
    std::atomic<int> failCode_{KDAudioOk};
    char detail_[256] = {};
};
