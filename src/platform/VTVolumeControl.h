#pragma once

#include <string>
#include <vector>

// The desktop's mixer behind "&Volume Control": pavucontrol where it is installed, else
// alsamixer in a terminal emulator. An empty command means there is none and the menu item
// is disabled. The user interface starts the command detached.
namespace VTVolumeControl {

// Looks the programs up along `searchPath` (a PATH-style list).
std::vector<std::string> command(const std::string& searchPath);
// Along the PATH of the environment.
std::vector<std::string> command();

// The full path of an executable file called `name` along `searchPath`; empty when none.
std::string findExecutable(const std::string& name, const std::string& searchPath);

}  // namespace VTVolumeControl
