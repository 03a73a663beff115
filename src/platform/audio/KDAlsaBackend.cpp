#include "platform/audio/KDAlsaBackend.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cstdarg>
#include <cstring>

#include "platform/audio/KDAlsaDevice.h"
#include "platform/audio/KDAudioError.h"

namespace {

// libasound prints its complaints to stderr; the program reports failures itself.
void silentAlsaErrors(const char*, int, const char*, int, const char*, ...) {}

// Channel count and 44.1 kHz stereo 16-bit support of one PCM; false when it cannot be opened.
bool probe(const std::string& name, snd_pcm_stream_t stream, KDAudioDeviceInfo& info) {
    snd_pcm_t* pcm = nullptr;
    int err = snd_pcm_open(&pcm, name.c_str(), stream, SND_PCM_NONBLOCK);
    if (err == -EBUSY) {
        // In use by another program right now: offer it all the same as a stereo device.
        info.channels = 2;
        info.supports44kStereo16 = true;
        return true;
    }
    if (err < 0) return false;
    snd_pcm_hw_params_t* params;
    snd_pcm_hw_params_alloca(&params);
    bool ok = snd_pcm_hw_params_any(pcm, params) >= 0;
    unsigned maxChannels = 0;
    if (ok) ok = snd_pcm_hw_params_get_channels_max(params, &maxChannels) >= 0;
    info.supports44kStereo16 =
        ok && snd_pcm_hw_params_test_format(pcm, params, SND_PCM_FORMAT_S16_LE) == 0 &&
        snd_pcm_hw_params_test_channels(pcm, params, 2) == 0 &&
        snd_pcm_hw_params_test_rate(pcm, params, 44100, 0) == 0;
    // Hardware shows its own channels; plug-ins and sound servers convert whatever they are
    // given, so they show as the stereo devices they are used as.
    if (snd_pcm_type(pcm) != SND_PCM_TYPE_HW) maxChannels = 2;
    info.channels = std::max(2, static_cast<int>(maxChannels & ~1u));
    snd_pcm_close(pcm);
    return ok;
}

// Besides the default device: the sound servers' plug-ins and every device of a sound card
// ("hw:", "plughw:", "sysdefault:", "front:" ...). The configuration's converters and the
// JACK plug-in (JACK has a backend of its own, and probing the plug-in could start a JACK
// server) are left out, and so is "null", which the program's own null devices stand for.
bool listable(const char* name) {
    if (std::strcmp(name, "pulse") == 0 || std::strcmp(name, "pipewire") == 0) return true;
    return std::strchr(name, ':') != nullptr && std::strncmp(name, "jack", 4) != 0;
}

}  // namespace

KDAlsaBackend::KDAlsaBackend() { snd_lib_error_set_handler(silentAlsaErrors); }

std::vector<KDAudioDeviceInfo> KDAlsaBackend::Devices(KDAudioDirection direction) {
    const bool output = direction == KDAudioDirection::Output;
    const snd_pcm_stream_t stream = output ? SND_PCM_STREAM_PLAYBACK : SND_PCM_STREAM_CAPTURE;
    std::vector<std::string> names{"default"};
    void** hints = nullptr;
    if (snd_device_name_hint(-1, "pcm", &hints) == 0) {
        for (void** h = hints; *h; ++h) {
            char* name = snd_device_name_get_hint(*h, "NAME");
            char* io = snd_device_name_get_hint(*h, "IOID");
            bool wanted = name && (!io || std::strcmp(io, output ? "Output" : "Input") == 0);
            if (wanted && listable(name) &&
                std::find(names.begin(), names.end(), name) == names.end()) {
                names.emplace_back(name);
            }
            std::free(name);
            std::free(io);
        }
        snd_device_name_free_hint(hints);
    }
    std::vector<KDAudioDeviceInfo> devices;
    auto& kept = output ? outputNames_ : inputNames_;
    kept.clear();
    for (const std::string& name : names) {
        KDAudioDeviceInfo info;
        if (!probe(name, stream, info)) continue;
        info.name = name == "default" ? "Default (ALSA)" : "ALSA " + name;
        devices.push_back(info);
        kept.push_back(name);
    }
    return devices;
}

std::string KDAlsaBackend::PcmName(KDAudioDirection direction, int index) const {
    const auto& kept = direction == KDAudioDirection::Output ? outputNames_ : inputNames_;
    return index >= 0 && index < static_cast<int>(kept.size()) ? kept[index] : std::string();
}

int KDAlsaBackend::Open(KDAudioDirection direction, int index, const KDWaveFormat& format,
                        KDAudioDeviceClient& client, const KDWaveClock& clock,
                        std::unique_ptr<KDAudioDevice>& device, std::string& error) {
    std::string name = PcmName(direction, index);
    if (name.empty()) {
        error = KDAudioErrorText(KDAudioErrBadDeviceId);
        return KDAudioErrBadDeviceId;
    }
    auto alsa = std::make_unique<KDAlsaDevice>(direction, format, client, clock);
    if (int code = alsa->OpenPcm(name, error)) return code;
    device = std::move(alsa);
    return KDAudioOk;
}
