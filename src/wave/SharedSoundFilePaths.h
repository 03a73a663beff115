#pragma once

#include <string>

#include "wave/SoundFilePaths.h"

// The program's one list of sound-file search directories. The main window loads it at start
// and saves it at the end, the settings dialog replaces it, and the contraptions that play
// files resolve their stored names through it.
//
// Those contraptions resolve names inside their processing call, which runs under the signal
// context's lock; whoever replaces the list while audio runs holds that lock too.
SoundFilePaths& sharedSoundFilePaths();

// A stored short name (or none) as a path along the shared list; empty for no name.
std::string resolveSharedSoundFileName(const char* name);
