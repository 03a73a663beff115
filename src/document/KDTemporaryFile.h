#pragma once

#include <string>

// A new, empty file with a unique name in the system's temporary directory ($TMPDIR, else
// /tmp), removed when the object goes, however the work that used it ended.
class KDTemporaryFile {
public:
    KDTemporaryFile();
    ~KDTemporaryFile();
    KDTemporaryFile(const KDTemporaryFile&) = delete;
    KDTemporaryFile& operator=(const KDTemporaryFile&) = delete;

    // False when no file could be made; the path is empty then.
    bool created() const { return !path_.empty(); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};
