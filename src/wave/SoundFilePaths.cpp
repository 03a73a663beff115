#include "wave/SoundFilePaths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/VTProgramPaths.h"
#include "platform/VTSettingsKeys.h"
#include "platform/VTSettingsStore.h"

namespace fs = std::filesystem;

namespace {

std::string pathValueName(std::size_t index) { return "Path_" + std::to_string(index); }

bool isFile(const std::string& name) {
    std::error_code ec;
    return fs::is_regular_file(fs::path(name), ec);
}

bool startsWithIgnoringCase(const std::string& s, const std::string& prefix) {
    if (prefix.size() > s.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), s.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

// The rest of `path` after `directory`, when the directory is strictly shorter and a prefix.
// Letter case is ignored only where the file system agrees: the short name must find the
// chosen file again through this directory.
bool shortenBelow(const std::string& directory, const std::string& path, std::string& rest) {
    if (directory.empty() || directory.size() >= path.size()) return false;
    if (!startsWithIgnoringCase(path, directory)) return false;
    std::string candidate = path.substr(directory.size());
    if (path.compare(0, directory.size(), directory) != 0) {
        std::error_code ec;
        if (!fs::equivalent(fs::path(directory + candidate), fs::path(path), ec) || ec)
            return false;
    }
    rest = candidate;
    return true;
}

}  // namespace

SoundFilePaths::SoundFilePaths() : SoundFilePaths(VTProgramPaths::programDirectory()) {}

SoundFilePaths::SoundFilePaths(std::string programDirectory)
    : programDirectory_(programDirectory.empty() ? std::string() : asDirectory(programDirectory)) {}

std::string SoundFilePaths::withForwardSlashes(std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

std::string SoundFilePaths::asDirectory(const std::string& directory) {
    std::string d = withForwardSlashes(directory);
    if (!d.empty() && d.back() != '/') d += '/';
    return d;
}

void SoundFilePaths::setSearchPaths(const std::vector<std::string>& directories) {
    searchPaths_.clear();
    for (const std::string& d : directories)
        if (!d.empty()) searchPaths_.push_back(asDirectory(d));
}

void SoundFilePaths::loadSearchPaths(const VTSettingsStore& store) {
    searchPaths_.clear();
    if (!store.keyExists(VTSettingsKeys::SFPaths)) return;
    // A value that is missing or cannot be read as text ends the list.
    for (std::size_t i = 0;; ++i) {
        auto value = store.readString(VTSettingsKeys::SFPaths, pathValueName(i));
        if (!value) break;
        if (!value->empty()) searchPaths_.push_back(asDirectory(*value));
    }
}

void SoundFilePaths::saveSearchPaths(VTSettingsStore& store) const {
    store.createKey(VTSettingsKeys::SFPaths);
    for (std::size_t i = 0; i < searchPaths_.size(); ++i)
        store.writeString(VTSettingsKeys::SFPaths, pathValueName(i), searchPaths_[i]);
    for (std::size_t i = searchPaths_.size();
         store.valueExists(VTSettingsKeys::SFPaths, pathValueName(i)); ++i)
        store.deleteValue(VTSettingsKeys::SFPaths, pathValueName(i));
}

std::string SoundFilePaths::resolveSoundFileName(const std::string& name) const {
    if (name.empty()) return {};
    std::string n = withForwardSlashes(name);
    // A full path is taken as it is; joining it to a directory could only find a stranger.
    if (n.front() != '/') {
        for (const std::string& d : searchPaths_)
            if (isFile(d + n)) return d + n;
        if (!programDirectory_.empty() && isFile(programDirectory_ + n))
            return programDirectory_ + n;
    }
    return n;
}

std::string SoundFilePaths::makeRelativeSoundFileName(const std::string& path) const {
    if (path.empty()) return {};
    std::string p = withForwardSlashes(path);
    std::string rest;
    for (const std::string& d : searchPaths_)
        if (shortenBelow(d, p, rest)) return rest;
    if (shortenBelow(programDirectory_, p, rest)) return rest;
    return p;
}

bool SoundFilePaths::soundFileExists(const std::string& name) const {
    std::string resolved = resolveSoundFileName(name);
    return !resolved.empty() && isFile(resolved);
}

std::string SoundFilePaths::directoryOf(const std::string& path) {
    std::string p = withForwardSlashes(path);
    std::size_t slash = p.rfind('/');
    return slash == std::string::npos ? std::string() : p.substr(0, slash);
}

std::string SoundFilePaths::programDirectoryWithoutSlash() const {
    std::string d = programDirectory_;
    if (!d.empty() && d.back() == '/') d.pop_back();
    return d;
}

void SoundFilePaths::rememberSoundFileDirectory(const std::string& path) {
    soundFileDirectory_ = directoryOf(path);
}

std::string SoundFilePaths::soundFileDialogDirectory() const {
    return soundFileDirectory_.empty() ? programDirectoryWithoutSlash() : soundFileDirectory_;
}

void SoundFilePaths::rememberOutputDirectory(const std::string& path) {
    outputDirectory_ = directoryOf(path);
}

std::string SoundFilePaths::outputDialogDirectory() const {
    return outputDirectory_.empty() ? programDirectoryWithoutSlash() : outputDirectory_;
}
