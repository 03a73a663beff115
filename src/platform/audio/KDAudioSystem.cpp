#include "platform/audio/KDAudioSystem.h"

#include "platform/audio/KDAlsaBackend.h"
#include "platform/audio/KDAudioError.h"
#include "platform/audio/KDJackBackend.h"
#include "platform/audio/KDNullBackend.h"

KDAudioSystem::KDAudioSystem(const KDWaveClock& clock) : clock_(clock) {}

void KDAudioSystem::AddBackend(std::unique_ptr<KDAudioBackend> backend) {
    backends_.push_back(backend.get());
    owned_.push_back(std::move(backend));
}

void KDAudioSystem::AddBackend(KDAudioBackend& backend) { backends_.push_back(&backend); }

std::vector<KDAudioSystem::Entry> KDAudioSystem::Devices(KDAudioDirection direction) const {
    std::vector<Entry> entries;
    for (KDAudioBackend* backend : backends_) {
        auto devices = backend->Devices(direction);
        for (int i = 0; i < static_cast<int>(devices.size()); ++i) {
            entries.push_back(Entry{devices[i], backend, i});
        }
    }
    return entries;
}

int KDAudioSystem::Open(KDAudioDirection direction, const Entry& entry, const KDWaveFormat& format,
                        KDAudioDeviceClient& client, std::unique_ptr<KDAudioDevice>& device,
                        std::string& error) const {
    if (!entry.backend) {
        error = KDAudioErrorText(KDAudioErrBadDeviceId);
        return KDAudioErrBadDeviceId;
    }
    return entry.backend->Open(direction, entry.index, format, client, clock_, device, error);
}

KDAudioSystem& KDAudioSystem::Default() {
    static KDAudioSystem* system = [] {
        auto* s = new KDAudioSystem();
        s->AddBackend(std::make_unique<KDAlsaBackend>());
        s->AddBackend(std::make_unique<KDJackBackend>());
        s->AddBackend(std::make_unique<KDNullBackend>());
        return s;
    }();
    return *system;
}
