#pragma once

#include <cstdint>
#include <string>

#include "wave/WaveFileInfo.h"

// Fills a function table with a sound file: resampled to the system rate by linear
// interpolation and mixed to mono. `table` holds `size` entries plus the guard entry at
// table[size]. The file is probed into `info` first; when it is not good the table is left as
// it was and false is returned. Entries past the end of the sound, the guard included, become 0.
// Mono and stereo files are converted; a file with more channels probes good but loads as
// silence, since no mix is defined for it. The caller bounds its playback by info.frames.
bool loadWaveIntoTable(float* table, std::uint32_t size, const std::string& fileName,
                       WaveFileInfo& info);
