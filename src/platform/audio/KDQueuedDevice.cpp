#include "platform/audio/KDQueuedDevice.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

KDQueuedDevice::KDQueuedDevice(KDAudioDirection direction, const KDWaveFormat& format,
                               KDAudioDeviceClient& client, const KDWaveClock& clock)
    : direction_(direction),
      format_(format),
      client_(client),
      clock_(clock),
      // An output plays what it is given at once unless paused; an input waits for Start.
      active_(direction == KDAudioDirection::Output) {}

int KDQueuedDevice::Prepare(KDWaveHeader& header) {
    if (!header.data || header.bufferLength == 0) return KDAudioErrInvalidParam;
    header.flags = (header.flags & ~KDWaveHeader::Done) | KDWaveHeader::Prepared;
    return KDAudioOk;
}

int KDQueuedDevice::Unprepare(KDWaveHeader& header) {
    if (header.flags & KDWaveHeader::InQueue) return KDAudioErrStillPlaying;
    header.flags &= ~KDWaveHeader::Prepared;
    return KDAudioOk;
}

int KDQueuedDevice::Queue(KDWaveHeader& header) {
    if (!(header.flags & KDWaveHeader::Prepared)) return KDAudioErrUnprepared;
    {
        std::lock_guard lock(mutex_);
        if (int code = failCode_.load(std::memory_order_relaxed)) return code;
        if (closed_) return KDAudioErrInvalidHandle;
        if (count_ == kMaxQueued) return KDAudioErrQueueFull;
        header.flags = (header.flags & ~KDWaveHeader::Done) | KDWaveHeader::InQueue;
        header.bytesRecorded = 0;
        ring_[(head_ + count_) % kMaxQueued] = &header;
        ++count_;
    }
    work_.notify_all();
    WorkChanged();
    return KDAudioOk;
}

int KDQueuedDevice::Start() {
    {
        std::lock_guard lock(mutex_);
        if (int code = failCode_.load(std::memory_order_relaxed)) return code;
        active_ = true;
    }
    work_.notify_all();
    WorkChanged();
    return KDAudioOk;
}

int KDQueuedDevice::Pause() {
    std::lock_guard lock(mutex_);
    if (int code = failCode_.load(std::memory_order_relaxed)) return code;
    active_ = false;
    return KDAudioOk;
}

int KDQueuedDevice::Restart() { return Start(); }

int KDQueuedDevice::Reset() {
    std::lock_guard lock(mutex_);
    // An input stops recording; an output keeps its paused or playing state.
    if (direction_ == KDAudioDirection::Input) active_ = false;
    GiveBackAll();
    return KDAudioOk;
}

void KDQueuedDevice::RequestStop() {
    {
        std::lock_guard lock(mutex_);
        stopping_.store(true, std::memory_order_release);
    }
    work_.notify_all();
}

int KDQueuedDevice::Close() {
    RequestStop();
    StopEngine();
    std::lock_guard lock(mutex_);
    closed_ = true;
    bool hadQueued = count_ > 0;
    GiveBackAll();
    if (int code = failCode_.load(std::memory_order_relaxed)) return code;
    return hadQueued ? KDAudioErrStillPlaying : KDAudioOk;
}

int KDQueuedDevice::GetVolume(std::uint32_t& volume) {
    volume = volume_.load(std::memory_order_relaxed);
    return KDAudioOk;
}

int KDQueuedDevice::SetVolume(std::uint32_t volume) {
    volume_.store(volume, std::memory_order_relaxed);
    return KDAudioOk;
}

std::string KDQueuedDevice::ErrorText(int code) const {
    std::lock_guard lock(mutex_);
    return KDAudioComposeError(code, detail_);
}

bool KDQueuedDevice::Active() const {
    std::lock_guard lock(mutex_);
    return active_ && !failCode_.load(std::memory_order_relaxed);
}

bool KDQueuedDevice::WaitForWork(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return work_.wait_for(lock, timeout, [this] {
        return Stopping() || (active_ && count_ > 0 && !failCode_.load(std::memory_order_relaxed));
    }) && !Stopping();
}

void KDQueuedDevice::MarkFailed(int code, const char* detail) {
    std::lock_guard lock(mutex_);
    if (failCode_.load(std::memory_order_relaxed)) return;
    std::snprintf(detail_, sizeof detail_, "%s", detail ? detail : "");
    failCode_.store(code, std::memory_order_release);
    GiveBackAll();
}

void KDQueuedDevice::SetDetail(const char* detail) {
    std::lock_guard lock(mutex_);
    std::snprintf(detail_, sizeof detail_, "%s", detail ? detail : "");
}

bool KDQueuedDevice::Acquire(std::unique_lock<std::mutex>& lock, bool mayWait) {
    if (mayWait) {
        lock.lock();
        return true;
    }
    // The other side holds the lock only to add or hand back a buffer, a matter of
    // nanoseconds: a short spin nearly always wins it without ever sleeping.
    for (int attempt = 0; attempt < 512; ++attempt) {
        if (lock.try_lock()) return true;
    }
    return false;
}

int KDQueuedDevice::TransferOut(std::int16_t* dst, int frames, std::uint32_t timeMs, bool mayWait) {
    const int channels = format_.channels;
    std::unique_lock lock(mutex_, std::defer_lock);
    if (!Acquire(lock, mayWait)) {
        std::fill(dst, dst + frames * channels, std::int16_t{0});
        return 0;
    }
    int done = 0;
    const std::uint32_t frameBytes = static_cast<std::uint32_t>(format_.blockAlign());
    while (active_ && done < frames && count_ > 0) {
        KDWaveHeader& header = *ring_[head_];
        std::uint32_t available = (header.bufferLength - headOffset_) / frameBytes;
        int n = std::min(frames - done, static_cast<int>(available));
        std::memcpy(dst + done * channels, header.data + headOffset_, n * frameBytes);
        done += n;
        headOffset_ += n * frameBytes;
        if (header.bufferLength - headOffset_ < frameBytes) Complete(header, timeMs);
    }
    lock.unlock();
    ApplyVolume(dst, done);
    std::fill(dst + done * channels, dst + frames * channels, std::int16_t{0});
    return done;
}

int KDQueuedDevice::TransferIn(const std::int16_t* src, int frames, std::uint32_t timeMs,
                               bool mayWait) {
    const int channels = format_.channels;
    std::unique_lock lock(mutex_, std::defer_lock);
    if (!Acquire(lock, mayWait)) return 0;
    int done = 0;
    const std::uint32_t frameBytes = static_cast<std::uint32_t>(format_.blockAlign());
    while (active_ && done < frames && count_ > 0) {
        KDWaveHeader& header = *ring_[head_];
        std::uint32_t room = (header.bufferLength - headOffset_) / frameBytes;
        int n = std::min(frames - done, static_cast<int>(room));
        std::memcpy(header.data + headOffset_, src + done * channels, n * frameBytes);
        done += n;
        headOffset_ += n * frameBytes;
        header.bytesRecorded = headOffset_;
        if (header.bufferLength - headOffset_ < frameBytes) Complete(header, timeMs);
    }
    return done;
}

void KDQueuedDevice::Complete(KDWaveHeader& header, std::uint32_t timeMs) {
    head_ = (head_ + 1) % kMaxQueued;
    --count_;
    headOffset_ = 0;
    header.flags = (header.flags & ~KDWaveHeader::InQueue) | KDWaveHeader::Done;
    client_.BufferDone(header, timeMs);
}

void KDQueuedDevice::GiveBackAll() {
    const std::uint32_t timeMs = clock_.TimeMs();
    while (count_ > 0) {
        KDWaveHeader& header = *ring_[head_];
        if (direction_ == KDAudioDirection::Input) header.bytesRecorded = headOffset_;
        Complete(header, timeMs);
    }
}

void KDQueuedDevice::ApplyVolume(std::int16_t* samples, int frames) const {
    std::uint32_t volume = volume_.load(std::memory_order_relaxed);
    if (volume == 0xFFFFFFFFu || frames == 0) return;
    const int channels = format_.channels;
    // Even channels follow the left level, odd ones the right level.
    const std::int32_t left = static_cast<std::int32_t>(volume & 0xFFFF);
    const std::int32_t right = static_cast<std::int32_t>(volume >> 16);
    for (int f = 0; f < frames; ++f) {
        for (int c = 0; c < channels; ++c) {
            std::int32_t gain = (c & 1) ? right : left;
            std::int16_t& s = samples[f * channels + c];
            s = static_cast<std::int16_t>(s * gain / 65535);
        }
    }
}
