#include "library/plugins/VSTPluginRegistry.h"

#include "contraptions/VTContraptionFactory.h"
#include "library/plugins/VSTPluginScan.h"

VSTPluginRegistry& VSTPluginRegistry::instance() {
    // Reached first after the factory, so it goes before the factory at the end of the run.
    static VSTPluginRegistry registry;
    return registry;
}

VSTPluginFolder VSTPluginRegistry::scanAndRegister(const std::vector<std::string>& roots) {
    VTContraptionFactory& factory = VTContraptionFactory::instance();
    VSTPluginFolder top = VSTPluginScan::scan(
        roots, [&factory](const std::string& name) { return factory.findMaker(name) != nullptr; });
    registerFolder(top);
    return top;
}

void VSTPluginRegistry::registerFolder(VSTPluginFolder& folder) {
    for (VSTPluginFolder& sub : folder.folders) registerFolder(sub);
    for (VSTPluginEntry& entry : folder.plugins) {
        auto maker = std::make_unique<VSTContraptionMaker>(entry.name, entry.path);
        entry.makerIndex = VTContraptionFactory::instance().registerMaker(*maker);
        makers_.push_back(std::move(maker));
    }
}
