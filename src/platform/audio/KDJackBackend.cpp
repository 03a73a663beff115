#include "platform/audio/KDJackBackend.h"

#include <jack/jack.h>

#include "platform/audio/KDAudioError.h"
#include "platform/audio/KDJackDevice.h"

namespace {
// libjack reports every failed connection attempt on stderr; the program reports for itself.
void silentJack(const char*) {}
}  // namespace

KDJackBackend::KDJackBackend() {
    jack_set_error_function(silentJack);
    jack_set_info_function(silentJack);
}

std::vector<KDAudioDeviceInfo> KDJackBackend::Devices(KDAudioDirection) {
    jack_status_t status{};
    jack_client_t* probe = jack_client_open("Vantrel probe", JackNoStartServer, &status);
    if (!probe) return {};
    bool at44k = jack_get_sample_rate(probe) == 44100;
    jack_client_close(probe);
    if (!at44k) return {};
    return {KDAudioDeviceInfo{"JACK", kChannels, true}};
}

int KDJackBackend::Open(KDAudioDirection direction, int index, const KDWaveFormat& format,
                        KDAudioDeviceClient& client, const KDWaveClock& clock,
                        std::unique_ptr<KDAudioDevice>& device, std::string& error) {
    if (index != 0) {
        error = KDAudioErrorText(KDAudioErrBadDeviceId);
        return KDAudioErrBadDeviceId;
    }
    if (format.channels < 1 || format.channels > kChannels || format.bitsPerSample != 16) {
        error = KDAudioErrorText(KDAudioErrBadFormat);
        return KDAudioErrBadFormat;
    }
    auto jack = std::make_unique<KDJackDevice>(direction, format, client, clock);
    if (int code = jack->OpenClient(error)) return code;
    device = std::move(jack);
    return KDAudioOk;
}

std::string KDJackBackend::PortName(KDAudioDirection direction, int channel) {
    const int pair = channel / 2;
    std::string name;
    if (direction == KDAudioDirection::Output) {
        name = pair == 0 ? "SoundOut" : "AuxOut" + std::to_string(pair);
    } else {
        name = pair == 0 ? "SoundIn" : "AuxIn" + std::to_string(pair);
    }
    return name + (channel % 2 == 0 ? " L" : " R");
}
