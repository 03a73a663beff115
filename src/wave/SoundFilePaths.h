#pragma once

#include <string>
#include <vector>

class VTSettingsStore;

// The user's sound-file search directories, and the short names documents keep for sound files.
// A chosen path below one of the directories (or below the program's own directory) is stored
// as the rest of the path after it, and found again by trying each directory in order.
//
// Names are written with "/". Names kept by older documents may hold "\"; it is read as a
// separator. Directories always end in "/": one given without it gets it.
class SoundFilePaths {
public:
    // The program directory is that of the running executable unless one is given (tests).
    SoundFilePaths();
    explicit SoundFilePaths(std::string programDirectory);

    // Reads the list from the "SFPaths" group; an absent group leaves the list empty.
    void loadSearchPaths(const VTSettingsStore& store);
    // Writes "Path_0", "Path_1", ... and deletes the values a longer list left behind.
    void saveSearchPaths(VTSettingsStore& store) const;

    const std::vector<std::string>& searchPaths() const { return searchPaths_; }
    void setSearchPaths(const std::vector<std::string>& directories);
    const std::string& programDirectory() const { return programDirectory_; }

    std::string resolveSoundFileName(const std::string& name) const;
    std::string makeRelativeSoundFileName(const std::string& path) const;
    bool soundFileExists(const std::string& name) const;

    // The directories the file choosers open in; they live only while the program runs.
    void rememberSoundFileDirectory(const std::string& path);
    std::string soundFileDialogDirectory() const;
    void rememberOutputDirectory(const std::string& path);
    std::string outputDialogDirectory() const;

    static std::string withForwardSlashes(std::string name);

private:
    static std::string asDirectory(const std::string& directory);
    static std::string directoryOf(const std::string& path);
    std::string programDirectoryWithoutSlash() const;

    std::vector<std::string> searchPaths_;
    std::string programDirectory_;
    std::string soundFileDirectory_;
    std::string outputDirectory_;
};
