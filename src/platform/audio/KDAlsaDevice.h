#pragma once

#include <alsa/asoundlib.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/audio/KDQueuedDevice.h"

// One open ALSA PCM. Its thread moves one ALSA period at a time between the queued buffers and
// the PCM with blocking reads and writes; an underrun or overrun of the PCM is recovered, any
// other failure makes the device fail with ALSA's own message.
class KDAlsaDevice : public KDQueuedDevice {
public:
    KDAlsaDevice(KDAudioDirection direction, const KDWaveFormat& format,
                 KDAudioDeviceClient& client, const KDWaveClock& clock);
    ~KDAlsaDevice() override;

    // Opens and configures the PCM and starts the thread; on failure returns the code and text.
    int OpenPcm(const std::string& name, std::string& error);

protected:
    void StopEngine() override;

private:
    void Run();
    void RunOutput();
    void RunInput();
    // Handles a negative result of a read or write; false when the device cannot go on.
    bool Recover(int err);
    // Waits for the PCM to be ready; false when it stayed silent for too long (device gone).
    bool AwaitPcm(int& silentMs);

    snd_pcm_t* pcm_ = nullptr;
    snd_pcm_uframes_t periodFrames_ = 512;
    std::vector<std::int16_t> period_;
    std::thread thread_;
};
