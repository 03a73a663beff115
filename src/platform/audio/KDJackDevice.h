#pragma once

#include <jack/jack.h>

#include <string>
#include <vector>

#include "platform/audio/KDQueuedDevice.h"

// One JACK client with a port per channel. The process callback never waits for a lock: when
// the queue is busy for a moment it plays silence (or drops the input) for that period.
class KDJackDevice : public KDQueuedDevice {
public:
    static constexpr int kMaxChunk = 1024;  // frames moved per step inside one callback

    KDJackDevice(KDAudioDirection direction, const KDWaveFormat& format,
                 KDAudioDeviceClient& client, const KDWaveClock& clock);
    ~KDJackDevice() override;

    int OpenClient(std::string& error);
    const std::string& clientName() const { return clientName_; }

protected:
    void StopEngine() override;

private:
    static int ProcessThunk(jack_nframes_t frames, void* self);
    static void ShutdownThunk(jack_status_t code, const char* reason, void* self);
    int Process(jack_nframes_t frames);
    void ConnectPhysicalPorts();

    jack_client_t* client_ = nullptr;
    std::vector<jack_port_t*> ports_;
    std::vector<jack_default_audio_sample_t*> portBuffers_;
    std::vector<std::int16_t> chunk_;
    std::string clientName_;
};
