#pragma once

#include <string>

// Where the program and the user's files live.
namespace VTProgramPaths {

// The directory of the running executable, with a trailing "/"; empty when it cannot be found.
std::string programDirectory();

// $XDG_CONFIG_HOME when it is set to an absolute path, otherwise $HOME/.config (no trailing "/").
std::string configHome();

}  // namespace VTProgramPaths
