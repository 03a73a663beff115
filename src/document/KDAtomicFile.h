#pragma once

#include <string>
#include <string_view>

// Replacing a file without ever destroying the previous one: the new contents go to a fresh
// file beside it, are flushed to the disk, and only then renamed over the old name. A failure
// anywhere (the directory cannot be written, the disk is full) removes the fresh file and
// leaves the old one exactly as it was. A symbolic link keeps pointing at the file it names,
// and a file that existed keeps its permissions; a file the user may not write is not replaced.
namespace KDAtomicFile {

bool write(const std::string& path, std::string_view contents);

}  // namespace KDAtomicFile
