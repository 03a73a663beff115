#include "wave/SharedSoundFilePaths.h"

SoundFilePaths& sharedSoundFilePaths() {
    static SoundFilePaths paths;
    return paths;
}

std::string resolveSharedSoundFileName(const char* name) {
    if (name == nullptr || *name == '\0') return {};
    return sharedSoundFilePaths().resolveSoundFileName(name);
}
