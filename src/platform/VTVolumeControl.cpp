#include "platform/VTVolumeControl.h"

#include <unistd.h>

#include <cstdlib>
#include <sstream>

namespace VTVolumeControl {

std::string findExecutable(const std::string& name, const std::string& searchPath) {
    std::istringstream dirs(searchPath);
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        if (dir.empty()) continue;  // the current directory is never searched for a mixer
        const std::string candidate = dir + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

std::vector<std::string> command(const std::string& searchPath) {
    const std::string pavucontrol = findExecutable("pavucontrol", searchPath);
    if (!pavucontrol.empty()) return {pavucontrol};
    const std::string alsamixer = findExecutable("alsamixer", searchPath);
    if (alsamixer.empty()) return {};
    // Debian's alternative first, then the terminals that take "-e program".
    for (const char* terminal : {"x-terminal-emulator", "xterm", "konsole", "xfce4-terminal",
                                 "lxterminal", "mate-terminal"}) {
        const std::string path = findExecutable(terminal, searchPath);
        if (!path.empty()) return {path, "-e", alsamixer};
    }
    const std::string gnome = findExecutable("gnome-terminal", searchPath);
    if (!gnome.empty()) return {gnome, "--", alsamixer};
    return {};
}

std::vector<std::string> command() {
    const char* path = std::getenv("PATH");
    return command(path != nullptr ? path : "");
}

}  // namespace VTVolumeControl
