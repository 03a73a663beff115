#include "platform/VTProgramPaths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace VTProgramPaths {

std::string programDirectory() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return {};
    std::string dir = exe.parent_path().string();
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

std::string configHome() {
    // Following the XDG base directory rules, a relative path here is ignored.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.config";
}

}  // namespace VTProgramPaths
