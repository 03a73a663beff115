#include "platform/VTProgramPaths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace VTProgramPaths {

std::string programFile() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

std::string programDirectory() {
    const std::filesystem::path exe = programFile();
    if (exe.empty()) return {};
    std::string dir = exe.parent_path().string();
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

namespace {

// Following the XDG base directory rules, a relative path in the variable is ignored.
std::string xdgDirectory(const char* variable, const char* belowHome) {
    const char* xdg = std::getenv(variable);
    if (xdg != nullptr && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + belowHome;
}

}  // namespace

std::string configHome() { return xdgDirectory("XDG_CONFIG_HOME", "/.config"); }

std::string dataHome() { return xdgDirectory("XDG_DATA_HOME", "/.local/share"); }

}  // namespace VTProgramPaths
