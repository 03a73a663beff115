#pragma once

#include <string>

// Where the program and the user's files live.
namespace VTProgramPaths {

// The directory of the running executable, with a trailing "/"; empty when it cannot be found.
std::string programDirectory();

// The running executable's full path; empty when it cannot be found.
std::string programFile();

// $XDG_CONFIG_HOME when it is set to an absolute path, otherwise $HOME/.config (no trailing "/").
std::string configHome();

// $XDG_DATA_HOME when it is set to an absolute path, otherwise $HOME/.local/share.
std::string dataHome();

}  // namespace VTProgramPaths
