#include "platform/audio/KDAlsaDevice.h"

#include <algorithm>
#include <cstdio>

#include "platform/audio/KDAudioError.h"
#include "platform/audio/KDRealtimeThread.h"

namespace {

// The PCM's own ring adds to the stream's buffers; 93 ms keeps a sound server behind the
// default device from running dry on a busy machine.
constexpr snd_pcm_uframes_t kPeriodFrames = 512;
constexpr snd_pcm_uframes_t kBufferFrames = 8 * kPeriodFrames;
constexpr int kWaitMs = 100;
// A PCM that gives no sign of life for this long has lost its device or server.
constexpr int kDeadAfterMs = 2000;

std::string alsaText(const char* what, int err) {
    char text[256];
    std::snprintf(text, sizeof text, "ALSA %s: %s", what, snd_strerror(err));
    return text;
}

}  // namespace

KDAlsaDevice::KDAlsaDevice(KDAudioDirection direction, const KDWaveFormat& format,
                           KDAudioDeviceClient& client, const KDWaveClock& clock)
    : KDQueuedDevice(direction, format, client, clock) {}

KDAlsaDevice::~KDAlsaDevice() {
    RequestStop();
    StopEngine();
}

int KDAlsaDevice::OpenPcm(const std::string& name, std::string& error) {
    const bool output = direction() == KDAudioDirection::Output;
    int err = snd_pcm_open(&pcm_, name.c_str(),
                           output ? SND_PCM_STREAM_PLAYBACK : SND_PCM_STREAM_CAPTURE, 0);
    if (err < 0) {
        pcm_ = nullptr;
        error =
            KDAudioComposeError(err == -EBUSY ? KDAudioErrAllocated : KDAudioErrNoDriver,
                                alsaText(("cannot open \"" + name + "\"").c_str(), err).c_str());
        return err == -EBUSY ? KDAudioErrAllocated : KDAudioErrNoDriver;
    }
    snd_pcm_uframes_t buffer = kBufferFrames;
    periodFrames_ = kPeriodFrames;
    err = snd_pcm_set_params(pcm_, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED,
                             static_cast<unsigned>(format().channels),
                             static_cast<unsigned>(format().samplesPerSecond), 1,
                             static_cast<unsigned>(buffer * 1000000 / 44100));
    if (err >= 0) err = snd_pcm_get_params(pcm_, &buffer, &periodFrames_);
    if (err < 0) {
        error = KDAudioComposeError(KDAudioErrBadFormat, alsaText("format", err).c_str());
        snd_pcm_close(pcm_);
        pcm_ = nullptr;
        return KDAudioErrBadFormat;
    }
    period_.assign(periodFrames_ * format().channels, 0);
    thread_ = std::thread([this] { Run(); });
    return KDAudioOk;
}

void KDAlsaDevice::StopEngine() {
    if (thread_.joinable()) thread_.join();
    if (pcm_) {
        snd_pcm_close(pcm_);
        pcm_ = nullptr;
    }
}

void KDAlsaDevice::Run() {
    KDRealtimeThread::RaiseCurrent();
    if (direction() == KDAudioDirection::Output) {
        RunOutput();
    } else {
        RunInput();
    }
}

bool KDAlsaDevice::AwaitPcm(int& silentMs) {
    int ready = snd_pcm_wait(pcm_, kWaitMs);
    if (ready > 0) {
        silentMs = 0;
        return true;
    }
    if (ready < 0) return Recover(ready);
    silentMs += kWaitMs;
    if (silentMs >= kDeadAfterMs) {
        MarkFailed(KDAudioErrTimeout, "ALSA: the device stopped responding");
        return false;
    }
    return true;
}

void KDAlsaDevice::RunOutput() {
    const int channels = format().channels;
    int silentMs = 0;
    while (!Stopping() && !failed()) {
        if (!WaitForWork(std::chrono::milliseconds(50))) continue;
        // A buffer counts as done once its last frame is in the PCM; it sounds after what the
        // PCM still holds.
        snd_pcm_sframes_t delay = 0;
        if (snd_pcm_delay(pcm_, &delay) < 0) delay = 0;
        std::uint32_t doneTime =
            clock_.TimeMs() + static_cast<std::uint32_t>((delay + periodFrames_) * 1000 / 44100);
        TransferOut(period_.data(), static_cast<int>(periodFrames_), doneTime);
        snd_pcm_uframes_t offset = 0;
        while (offset < periodFrames_ && !Stopping()) {
            if (!AwaitPcm(silentMs)) return;
            snd_pcm_sframes_t n =
                snd_pcm_writei(pcm_, period_.data() + offset * channels, periodFrames_ - offset);
            if (n < 0) {
                if (!Recover(static_cast<int>(n))) return;
                continue;
            }
            offset += static_cast<snd_pcm_uframes_t>(n);
        }
    }
    if (!failed()) {
        // Let what the PCM still holds play out (the stream's fade-out), then stop.
        snd_pcm_sframes_t delay = 0;
        if (snd_pcm_delay(pcm_, &delay) == 0 && delay > 0) {
            std::this_thread::sleep_for(
                std::chrono::milliseconds(std::min<long>(delay * 1000 / 44100 + 1, 500)));
        }
        snd_pcm_drop(pcm_);
    }
}

void KDAlsaDevice::RunInput() {
    int silentMs = 0;
    bool reading = false;
    while (!Stopping() && !failed()) {
        if (!Active()) {
            if (reading) {
                snd_pcm_drop(pcm_);
                reading = false;
            }
            WaitForWork(std::chrono::milliseconds(20));
            continue;
        }
        if (!reading) {
            snd_pcm_prepare(pcm_);
            snd_pcm_start(pcm_);
            reading = true;
        }
        if (!AwaitPcm(silentMs)) return;
        snd_pcm_sframes_t n = snd_pcm_readi(pcm_, period_.data(), periodFrames_);
        if (n < 0) {
            if (!Recover(static_cast<int>(n))) return;
            continue;
        }
        TransferIn(period_.data(), static_cast<int>(n), clock_.TimeMs());
    }
}

bool KDAlsaDevice::Recover(int err) {
    if (err == -EAGAIN || err == -EINTR) return true;
    if (snd_pcm_recover(pcm_, err, 1) >= 0) {
        if (direction() == KDAudioDirection::Input) snd_pcm_start(pcm_);
        return true;
    }
    MarkFailed(err == -ENODEV ? KDAudioErrDeviceLost : KDAudioErrUnspecified,
               alsaText("device", err).c_str());
    return false;
}
