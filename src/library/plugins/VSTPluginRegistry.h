#pragma once

#include <memory>
#include <string>
#include <vector>

#include "library/plugins/VSTContraptionMaker.h"
#include "library/plugins/VSTPluginFolder.h"

// Keeps the makers of the plug-ins found by scans for the whole run and registers them with the
// factory, after every other maker. A plug-in whose name another maker already has is left
// out, since documents find makers by name.
class VSTPluginRegistry {
public:
    static VSTPluginRegistry& instance();

    VSTPluginRegistry(const VSTPluginRegistry&) = delete;
    VSTPluginRegistry& operator=(const VSTPluginRegistry&) = delete;

    // Scans the roots, builds and registers one maker per plug-in found and gives the tree with
    // each entry's maker index filled in.
    VSTPluginFolder scanAndRegister(const std::vector<std::string>& roots);

    int makerCount() const { return static_cast<int>(makers_.size()); }

private:
    VSTPluginRegistry() = default;
    void registerFolder(VSTPluginFolder& folder);

    std::vector<std::unique_ptr<VSTContraptionMaker>> makers_;
};
