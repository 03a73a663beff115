#pragma once

#include <thread>
#include <vector>

#include "platform/audio/KDQueuedDevice.h"

// A device with no hardware behind it: a time-critical thread moves one period of frames every
// period of real time, playing into nothing or recording silence. "Null Output" and "Null
// Input" are such devices.
class KDPacedDevice : public KDQueuedDevice {
public:
    static constexpr int kPeriodFrames = 512;

    KDPacedDevice(KDAudioDirection direction, const KDWaveFormat& format,
                  KDAudioDeviceClient& client, const KDWaveClock& clock);
    ~KDPacedDevice() override;

    void Begin();

protected:
    void StopEngine() override;

private:
    void Run();

    std::vector<std::int16_t> period_;
    std::thread thread_;
};
