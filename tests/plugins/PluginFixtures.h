#pragma once

#include <dlfcn.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "FixtureProbe.h"
#include "contraptions/VTContraption.h"
#include "library/plugins/VSTContraptionMaker.h"
#include "library/plugins/VSTSignalProcessor.h"

// Helpers for the plug-in host's tests: the test plug-ins built beside the suite, and a view of
// what each one recorded.
namespace vantrel::test {

inline std::string fixturePath(const std::string& variant) {
    return std::string(VANTREL_VST_FIXTURE_DIR) + "/" + variant + ".so";
}

// Holds the test plug-in loaded on the test's side too. The host's own load of the same file
// gets the same library, so the probe shows what the host did; holding it here also keeps the
// library (and its record) in memory while makers come and go.
class FixtureLibrary {
public:
    // A copy of a test plug-in elsewhere is a library of its own, with its own record.
    struct File {
        std::string path;
    };

    explicit FixtureLibrary(const std::string& variant)
        : FixtureLibrary(File{fixturePath(variant)}) {}
    explicit FixtureLibrary(const File& file)
        : handle_(dlopen(file.path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        if (handle_ == nullptr) return;
        probe_ = reinterpret_cast<FixtureProbeFunction>(dlsym(handle_, "vstFixtureProbe"))();
        automate_ = reinterpret_cast<FixtureAutomateFunction>(dlsym(handle_, "vstFixtureAutomate"));
        reinterpret_cast<FixtureResetFunction>(dlsym(handle_, "vstFixtureResetProbe"))();
    }
    ~FixtureLibrary() {
        if (handle_ != nullptr) dlclose(handle_);
    }
    FixtureLibrary(const FixtureLibrary&) = delete;
    FixtureLibrary& operator=(const FixtureLibrary&) = delete;

    bool loaded() const { return handle_ != nullptr; }
    FixtureProbe& probe() const { return *probe_; }
    // The plug-in's own editor moving parameter `index`.
    void automate(VSTABI::Effect& effect, int index, float value) const {
        automate_(&effect, index, value);
    }

    // How often the host sent `opcode` since the probe was last reset.
    int count(std::int32_t opcode) const {
        int n = 0;
        for (int k = 0; k < probe_->callCount; ++k) n += probe_->opcodes[k] == opcode;
        return n;
    }

private:
    void* handle_;
    FixtureProbe* probe_ = nullptr;
    FixtureAutomateFunction automate_ = nullptr;
};

inline VSTSignalProcessor& vstProcessor(VTContraption& c) {
    return static_cast<VSTSignalProcessor&>(c.processor());
}

// A fresh, empty folder under the system's temporary directory, removed with the object.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("vantrel-vst-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TemporaryFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string string() const { return path_.string(); }

    // An empty file (the scan never opens what it lists); parent folders are made as needed.
    std::filesystem::path touch(const std::string& relative) const {
        std::filesystem::path p = path_ / relative;
        std::filesystem::create_directories(p.parent_path());
        std::FILE* f = std::fopen(p.c_str(), "w");
        if (f != nullptr) std::fclose(f);
        return p;
    }
    std::filesystem::path folder(const std::string& relative) const {
        std::filesystem::path p = path_ / relative;
        std::filesystem::create_directories(p);
        return p;
    }

private:
    std::filesystem::path path_;
};

}  // namespace vantrel::test
