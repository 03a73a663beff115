#pragma once

#include "platform/audio/KDAudioBackend.h"

// JACK: while a JACK server runs at 44.1 kHz, one device per direction ("JACK"), whose
// channels are JACK ports named after the program's logical inputs and outputs ("SoundOut L",
// "SoundOut R", "AuxOut1 L" ...). The server's process callback moves frames between the ports
// and the queued buffers whatever the server's period is. PipeWire users reach it through
// pipewire-jack.
class KDJackBackend : public KDAudioBackend {
public:
    static constexpr int kChannels = 16;  // eight stereo pairs

    KDJackBackend();

    std::vector<KDAudioDeviceInfo> Devices(KDAudioDirection direction) override;
    int Open(KDAudioDirection direction, int index, const KDWaveFormat& format,
             KDAudioDeviceClient& client, const KDWaveClock& clock,
             std::unique_ptr<KDAudioDevice>& device, std::string& error) override;

    // The port name of one channel: pair p is logical input or output p.
    static std::string PortName(KDAudioDirection direction, int channel);
};
