#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/audio/KDAudioDevice.h"
#include "platform/audio/KDAudioDeviceInfo.h"
#include "platform/audio/KDWaveFormat.h"

class KDWaveClock;

// One source of wave devices (ALSA, JACK, the null pair, the simulated devices of the tests).
class KDAudioBackend {
public:
    virtual ~KDAudioBackend() = default;

    // The devices of one direction, in the order the user should see them.
    virtual std::vector<KDAudioDeviceInfo> Devices(KDAudioDirection direction) = 0;

    // Opens device `index` of Devices(direction). On failure returns the code and puts the
    // backend's explanation in `error`.
    virtual int Open(KDAudioDirection direction, int index, const KDWaveFormat& format,
                     KDAudioDeviceClient& client, const KDWaveClock& clock,
                     std::unique_ptr<KDAudioDevice>& device, std::string& error) = 0;
};
