#include "document/KDTemporaryFile.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

KDTemporaryFile::KDTemporaryFile() {
    std::error_code ec;
    const std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    if (ec) return;
    std::string pattern = (dir / "vantrel-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return;
    ::close(fd);
    path_ = name.data();
}

KDTemporaryFile::~KDTemporaryFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
}
