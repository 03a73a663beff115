#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// The free bytes available to this user on the file system that is to hold `file` (which need
// not exist yet); none when they cannot be found out.
using VTFreeSpaceQuery = std::function<std::optional<std::uint64_t>(const std::string& file)>;

std::optional<std::uint64_t> vtFreeSpaceForFile(const std::string& file);
