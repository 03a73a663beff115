#include "library/samples/VTSoundFileResolver.h"

#include <atomic>

#include "wave/SoundFilePaths.h"

namespace {

std::atomic<const SoundFilePaths*> installed{nullptr};

}  // namespace

void VTSoundFileResolver::install(const SoundFilePaths* paths) {
    installed.store(paths, std::memory_order_release);
}

std::string VTSoundFileResolver::resolve(const char* name) {
    if (name == nullptr || *name == '\0') return std::string();
    const SoundFilePaths* paths = installed.load(std::memory_order_acquire);
    return paths != nullptr ? paths->resolveSoundFileName(name) : std::string(name);
}
