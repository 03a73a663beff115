#include "platform/audio/KDSimulatedAudio.h"

#include <algorithm>

#include "platform/audio/KDAudioError.h"
#include "platform/audio/KDQueuedDevice.h"

class KDSimulatedDevice : public KDQueuedDevice {
public:
    KDSimulatedDevice(KDSimulatedAudio& owner, int slotIndex, KDAudioDirection direction,
                      const KDWaveFormat& format, KDAudioDeviceClient& client,
                      const KDWaveClock& clock)
        : KDQueuedDevice(direction, format, client, clock), owner_(owner), slot_(slotIndex) {}
    ~KDSimulatedDevice() override { owner_.Detach(this); }

    int Queue(KDWaveHeader& header) override {
        int result = KDQueuedDevice::Queue(header);
        owner_.NoteQueued(this);
        return result;
    }

    int Out(std::int16_t* dst, int frames, std::uint32_t t) { return TransferOut(dst, frames, t); }
    int In(const std::int16_t* src, int frames, std::uint32_t t) {
        return TransferIn(src, frames, t);
    }
    bool Moving() const { return Active(); }
    void Fail(int code, const char* detail) { MarkFailed(code, detail); }
    int slotIndex() const { return slot_; }

protected:
    void StopEngine() override { owner_.Detach(this); }

private:
    KDSimulatedAudio& owner_;
    int slot_;
};

KDSimulatedAudio::KDSimulatedAudio() = default;
KDSimulatedAudio::~KDSimulatedAudio() = default;

int KDSimulatedAudio::AddDevice(KDAudioDirection direction, DeviceSpec desc) {
    std::lock_guard lock(mutex_);
    auto& list = direction == KDAudioDirection::Output ? outputs_ : inputs_;
    list.push_back(Slot{std::move(desc)});
    return static_cast<int>(list.size()) - 1;
}

std::uint32_t KDSimulatedAudio::TimeMs() const {
    // Starts away from zero so that a time of 0 never passes for a real one.
    return static_cast<std::uint32_t>(10000 + frames_.load() * 1000 / 44100);
}

void KDSimulatedAudio::AdvanceCounterUs(double microseconds) {
    counter_ += static_cast<std::int64_t>(microseconds * (kCounterFrequency / 1000000));
}

KDSimulatedAudio::Slot& KDSimulatedAudio::slot(KDAudioDirection direction, int index) {
    return (direction == KDAudioDirection::Output ? outputs_ : inputs_).at(index);
}

const KDSimulatedAudio::Slot& KDSimulatedAudio::slot(KDAudioDirection direction, int index) const {
    return (direction == KDAudioDirection::Output ? outputs_ : inputs_).at(index);
}

void KDSimulatedAudio::Advance(int frames) {
    AdvanceClock(frames);
    RecordInputs(frames);
    PlayOutputs(frames);
}

void KDSimulatedAudio::AdvanceClock(int frames) { frames_ += frames; }

void KDSimulatedAudio::PlayOutputs(int frames) {
    std::lock_guard lock(mutex_);
    const std::uint32_t now = TimeMs();
    for (Slot& s : outputs_) {
        if (!s.open || !s.open->Moving()) continue;
        const int channels = s.openedChannels;
        scratch_.assign(static_cast<std::size_t>(frames) * channels, 0);
        s.open->Out(scratch_.data(), frames, now);
        std::size_t room =
            captureLimit_ * channels - std::min(captureLimit_ * channels, s.played.size());
        s.played.insert(s.played.end(), scratch_.begin(),
                        scratch_.begin() + std::min(room, scratch_.size()));
    }
}

void KDSimulatedAudio::RecordInputs(int frames) {
    std::lock_guard lock(mutex_);
    const std::uint32_t now = TimeMs();
    for (Slot& s : inputs_) {
        if (!s.open || !s.open->Moving()) continue;
        const int channels = s.openedChannels;
        scratch_.resize(static_cast<std::size_t>(frames) * channels);
        for (int f = 0; f < frames; ++f) {
            long long n = s.inputFrame + f;
            for (int c = 0; c < channels; ++c) {
                std::int16_t v = c == 0   ? static_cast<std::int16_t>(n & 0x7FFF)
                                 : c == 1 ? static_cast<std::int16_t>((n >> 15) & 0x7FFF)
                                          : static_cast<std::int16_t>(1000 * c);
                scratch_[static_cast<std::size_t>(f) * channels + c] = v;
            }
        }
        s.inputFrame += frames;
        s.open->In(scratch_.data(), frames, now);
    }
}

void KDSimulatedAudio::FailDevice(KDAudioDirection direction, int index, int code,
                                  const std::string& detail) {
    std::lock_guard lock(mutex_);
    if (KDSimulatedDevice* d = slot(direction, index).open) d->Fail(code, detail.c_str());
}

bool KDSimulatedAudio::IsOpen(KDAudioDirection direction, int index) const {
    std::lock_guard lock(mutex_);
    return slot(direction, index).open != nullptr;
}

int KDSimulatedAudio::OpenedChannels(KDAudioDirection direction, int index) const {
    std::lock_guard lock(mutex_);
    return slot(direction, index).openedChannels;
}

long KDSimulatedAudio::QueuedTotal(KDAudioDirection direction, int index) const {
    std::lock_guard lock(mutex_);
    return slot(direction, index).queued;
}

long KDSimulatedAudio::OpenCount(KDAudioDirection direction, int index) const {
    std::lock_guard lock(mutex_);
    return slot(direction, index).opened;
}

bool KDSimulatedAudio::WaitQueued(KDAudioDirection direction, int index, long count,
                                  std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return queuedChanged_.wait_for(lock, timeout,
                                   [&] { return slot(direction, index).queued >= count; });
}

std::uint32_t KDSimulatedAudio::Volume(KDAudioDirection direction, int index) const {
    std::lock_guard lock(mutex_);
    std::uint32_t volume = 0;
    if (KDSimulatedDevice* d = slot(direction, index).open) d->GetVolume(volume);
    return volume;
}

std::vector<std::int16_t> KDSimulatedAudio::Played(int outputIndex) const {
    std::lock_guard lock(mutex_);
    return outputs_.at(outputIndex).played;
}

std::vector<KDAudioDeviceInfo> KDSimulatedAudio::Devices(KDAudioDirection direction) {
    std::lock_guard lock(mutex_);
    std::vector<KDAudioDeviceInfo> list;
    for (const Slot& s : direction == KDAudioDirection::Output ? outputs_ : inputs_) {
        list.push_back(KDAudioDeviceInfo{s.desc.name, s.desc.channels, s.desc.supports44kStereo16});
    }
    return list;
}

int KDSimulatedAudio::Open(KDAudioDirection direction, int index, const KDWaveFormat& format,
                           KDAudioDeviceClient& client, const KDWaveClock& clock,
                           std::unique_ptr<KDAudioDevice>& device, std::string& error) {
    std::lock_guard lock(mutex_);
    auto& list = direction == KDAudioDirection::Output ? outputs_ : inputs_;
    if (index < 0 || index >= static_cast<int>(list.size())) {
        error = KDAudioErrorText(KDAudioErrBadDeviceId);
        return KDAudioErrBadDeviceId;
    }
    Slot& s = list[index];
    if (s.desc.openError) {
        error = KDAudioComposeError(s.desc.openError, s.desc.openErrorText.c_str());
        return s.desc.openError;
    }
    if (s.open) {
        error = KDAudioErrorText(KDAudioErrAllocated);
        return KDAudioErrAllocated;
    }
    if (format.channels < 1 || format.channels > s.desc.channels ||
        format.samplesPerSecond != 44100 || format.bitsPerSample != 16) {
        error = KDAudioErrorText(KDAudioErrBadFormat);
        return KDAudioErrBadFormat;
    }
    auto d = std::make_unique<KDSimulatedDevice>(*this, index, direction, format, client, clock);
    d->SetVolume(s.desc.initialVolume);
    s.open = d.get();
    s.openedChannels = format.channels;
    s.played.clear();
    s.played.reserve(captureLimit_ * format.channels);
    s.inputFrame = 0;
    ++s.opened;
    device = std::move(d);
    return KDAudioOk;
}

void KDSimulatedAudio::Detach(KDSimulatedDevice* device) {
    std::lock_guard lock(mutex_);
    for (Slot& s : device->direction() == KDAudioDirection::Output ? outputs_ : inputs_) {
        if (s.open == device) s.open = nullptr;
    }
}

void KDSimulatedAudio::NoteQueued(KDSimulatedDevice* device) {
    {
        std::lock_guard lock(mutex_);
        ++slot(device->direction(), device->slotIndex()).queued;
    }
    queuedChanged_.notify_all();
}
