#include "wave/SharedSoundFilePaths.h"

SoundFilePaths& sharedSoundFilePaths() {
    static SoundFilePaths paths;
    return paths;
}
