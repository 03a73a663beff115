#pragma once

#include <string>

class SoundFilePaths;

// Turns the short sound-file names that processors keep in their "File" property into paths
// along the user's search directories. The application installs its search paths once at
// start-up; until then (and in the tests) a name is taken as it stands.
namespace VTSoundFileResolver {

void install(const SoundFilePaths* paths);
std::string resolve(const char* name);

}  // namespace VTSoundFileResolver
