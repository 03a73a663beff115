#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/audio/KDAudioBackend.h"
#include "platform/audio/KDWaveClock.h"

// All wave devices the program can use, from every backend, in one list per direction, and the
// clock the stream measures time with.
class KDAudioSystem {
public:
    struct Entry {
        KDAudioDeviceInfo info;
        KDAudioBackend* backend = nullptr;
        int index = 0;  // within the backend's own list
    };

    explicit KDAudioSystem(const KDWaveClock& clock = KDSystemWaveClock::instance());

    // The backends are asked in the order they were added.
    void AddBackend(std::unique_ptr<KDAudioBackend> backend);
    void AddBackend(KDAudioBackend& backend);  // not owned

    // Built afresh from the backends on every call.
    std::vector<Entry> Devices(KDAudioDirection direction) const;

    int Open(KDAudioDirection direction, const Entry& entry, const KDWaveFormat& format,
             KDAudioDeviceClient& client, std::unique_ptr<KDAudioDevice>& device,
             std::string& error) const;

    const KDWaveClock& clock() const { return clock_; }

    // The program's devices: ALSA (system default first), JACK when a server runs, then
    // "Null Output" / "Null Input".
    static KDAudioSystem& Default();

private:
    const KDWaveClock& clock_;
    std::vector<std::unique_ptr<KDAudioBackend>> owned_;
    std::vector<KDAudioBackend*> backends_;
};
