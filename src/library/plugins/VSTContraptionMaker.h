#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "contraptions/VTContraptionMaker.h"
#include "library/plugins/VSTPluginABI.h"
#include "params/SGDynamicPropertyTable.h"

// The maker of one plug-in library found by the scan: creating a contraption loads the library
// (once, kept until the maker goes), instantiates the plug-in, checks it and wraps it in a
// VSTSignalProcessor. Every failed check shows its message, then the common one, and creates
// nothing. All contraptions of one plug-in share the parameter description built at the first
// successful creation.
class VSTContraptionMaker : public VTContraptionMaker {
public:
    static constexpr const char* kCategory = "VST Plugins";
    static constexpr std::int32_t kHelpTopic = 1025;
    // The exported entry points tried, in this order.
    static constexpr const char* kEntryPointNames[] = {"VSTPluginMain", "main", "Main"};

    // The maker's name for a library file name: without ".so", blanks (and any other
    // whitespace, which names never hold) replaced by "_".
    static std::string makerNameFor(std::string_view fileName);

    VSTContraptionMaker(std::string name, std::string path);
    // Unloads the library; every contraption of this maker must be gone by then.
    ~VSTContraptionMaker() override;

    std::unique_ptr<VTContraption> create(std::string_view requestedName) override;

    const std::string& path() const { return path_; }
    bool isLoaded() const { return library_ != nullptr; }
    const SGDynamicPropertyTable::ClassInfo& classInfo() const { return classInfo_; }

private:
    bool loadLibrary();
    bool findEntryPoint();
    VSTABI::Effect* instantiate();
    static bool passesChecks(VSTABI::Effect& effect);
    static void open(VSTABI::Effect& effect);
    void describeParameters(VSTABI::Effect& effect);
    static void showFailure();

    std::string path_;
    void* library_ = nullptr;
    VSTABI::EntryPoint entryPoint_ = nullptr;
    SGDynamicPropertyTable::ClassInfo classInfo_;
};
