#include "document/KDAtomicFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;

namespace KDAtomicFile {

namespace {

// The file the name stands for: a link is followed, so the link itself survives the rename.
fs::path resolveTarget(const std::string& path) {
    fs::path target(path);
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        fs::path real = fs::weakly_canonical(target, ec);
        if (!ec) return real;
    }
    return target;
}

// A new, empty file beside the target, created exclusively so no other file is ever touched.
int createSibling(const fs::path& target, std::string& name) {
    static std::atomic<unsigned> counter{0};
    std::random_device seed;
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string leaf(".");
        leaf += target.filename().string();
        leaf += ".save-";
        leaf += std::to_string(::getpid());
        leaf += '-';
        leaf += std::to_string(counter++);
        leaf += '-';
        leaf += std::to_string(seed() % 1000000u);
        name = (dir / leaf).string();
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool writeAll(int fd, std::string_view contents) {
    const char* p = contents.data();
    std::size_t left = contents.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// What a save cut short by a crash left beside the target: ".NAME.save-PID-..." of a process that
// no longer runs. The save that just succeeded supersedes it. Files of running programs (this
// one included) may be saves in progress and are left alone.
void removeLeftovers(const fs::path& target) {
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string prefix = "." + target.filename().string() + ".save-";
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string leaf = it->path().filename().string();
        if (leaf.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string rest = leaf.substr(prefix.size());
        const std::size_t dash = rest.find('-');
        if (dash == 0 || dash == std::string::npos) continue;
        if (rest.find_first_not_of("0123456789") != dash) continue;
        const long pid = std::stol(rest.substr(0, dash));
        if (pid <= 0 || pid == ::getpid()) continue;
        if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH) continue;
        std::error_code removeError;
        fs::remove(it->path(), removeError);
    }
}

void syncDirectory(const fs::path& target) {
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool write(const std::string& path, std::string_view contents) {
    if (path.empty()) return false;
    const fs::path target = resolveTarget(path);
    std::error_code ec;
    if (fs::is_directory(target, ec)) return false;
    // A file the user may not write stays protected, although the rename could replace it.
    if (fs::exists(target, ec) && ::access(target.c_str(), W_OK) != 0) return false;

    std::string tempName;
    const int fd = createSibling(target, tempName);
    if (fd < 0) return false;

    // The saved file keeps the permissions the old one had; a new one gets the usual ones.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);

    bool ok = writeAll(fd, contents);
    // A full disk may show only when the data reaches it.
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(tempName.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(tempName.c_str());
        return false;
    }
    syncDirectory(target);
    removeLeftovers(target);
    return true;
}

}  // namespace KDAtomicFile
