#pragma once

#include "platform/audio/KDAudioBackend.h"

// ALSA PCM devices through libasound: the system's default device first (on a desktop it leads
// to PipeWire or PulseAudio), then every other PCM the system's configuration names that can
// stream 44.1 kHz stereo 16-bit. Each open device has its own time-critical thread that writes
// (or reads) the queued buffers in blocking mode.
class KDAlsaBackend : public KDAudioBackend {
public:
    KDAlsaBackend();

    std::vector<KDAudioDeviceInfo> Devices(KDAudioDirection direction) override;
    int Open(KDAudioDirection direction, int index, const KDWaveFormat& format,
             KDAudioDeviceClient& client, const KDWaveClock& clock,
             std::unique_ptr<KDAudioDevice>& device, std::string& error) override;

    // The PCM name behind entry `index` of the last Devices(direction) call.
    std::string PcmName(KDAudioDirection direction, int index) const;

private:
    std::vector<std::string> outputNames_;
    std::vector<std::string> inputNames_;
};
