#include "makers/VTPluginMakers.h"

#include "library/plugins/VSTPluginRegistry.h"
#include "library/plugins/VSTPluginScan.h"
#include "makers/VTMakerTable.h"

const VSTPluginFolder& registerPluginMakers() {
    static const VSTPluginFolder tree = [] {
        registerAllMakers();
        return VSTPluginRegistry::instance().scanAndRegister(VSTPluginScan::defaultFolders());
    }();
    return tree;
}
