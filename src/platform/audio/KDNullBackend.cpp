#include "platform/audio/KDNullBackend.h"

#include "platform/audio/KDAudioError.h"
#include "platform/audio/KDPacedDevice.h"

namespace {
constexpr int kNullChannels = 2;
}

std::vector<KDAudioDeviceInfo> KDNullBackend::Devices(KDAudioDirection direction) {
    const char* name = direction == KDAudioDirection::Output ? "Null Output" : "Null Input";
    return {KDAudioDeviceInfo{name, kNullChannels, true}};
}

int KDNullBackend::Open(KDAudioDirection direction, int index, const KDWaveFormat& format,
                        KDAudioDeviceClient& client, const KDWaveClock& clock,
                        std::unique_ptr<KDAudioDevice>& device, std::string& error) {
    if (index != 0) {
        error = KDAudioErrorText(KDAudioErrBadDeviceId);
        return KDAudioErrBadDeviceId;
    }
    if (format.channels < 1 || format.channels > kNullChannels || format.bitsPerSample != 16) {
        error = KDAudioErrorText(KDAudioErrBadFormat);
        return KDAudioErrBadFormat;
    }
    auto paced = std::make_unique<KDPacedDevice>(direction, format, client, clock);
    paced->Begin();
    device = std::move(paced);
    return KDAudioOk;
}
