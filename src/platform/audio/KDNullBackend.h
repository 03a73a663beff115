#pragma once

#include "platform/audio/KDAudioBackend.h"

// "Null Output" and "Null Input": always present, they keep live audio running at the real-time
// pace on a machine with no sound card and no sound server.
class KDNullBackend : public KDAudioBackend {
public:
    std::vector<KDAudioDeviceInfo> Devices(KDAudioDirection direction) override;
    int Open(KDAudioDirection direction, int index, const KDWaveFormat& format,
             KDAudioDeviceClient& client, const KDWaveClock& clock,
             std::unique_ptr<KDAudioDevice>& device, std::string& error) override;
};
