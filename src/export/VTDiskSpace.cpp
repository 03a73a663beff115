#include "export/VTDiskSpace.h"

#include <filesystem>
#include <system_error>

std::optional<std::uint64_t> vtFreeSpaceForFile(const std::string& file) {
    namespace fs = std::filesystem;
    // The file is usually new, so ask about the folder that will hold it.
    fs::path folder = fs::path(file).parent_path();
    if (folder.empty()) folder = ".";
    std::error_code error;
    const fs::space_info info = fs::space(folder, error);
    if (error || info.available == static_cast<std::uintmax_t>(-1)) return std::nullopt;
    return static_cast<std::uint64_t>(info.available);
}
