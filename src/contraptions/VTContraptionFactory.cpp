#include "contraptions/VTContraptionFactory.h"

#include <algorithm>

#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionMaker.h"

VTContraptionFactory& VTContraptionFactory::instance() {
    static VTContraptionFactory factory;
    return factory;
}

int VTContraptionFactory::registerMaker(VTContraptionMaker& maker) {
    int index = static_cast<int>(makers_.size());
    makers_.push_back(&maker);
    makersByName_.emplace(maker.name(), &maker);
    maker.setIndex(index);
    return index;
}

VTContraptionMaker* VTContraptionFactory::findMaker(std::string_view name) const {
    auto it = makersByName_.find(name);
    return it == makersByName_.end() ? nullptr : it->second;
}

std::unique_ptr<VTContraption> VTContraptionFactory::createContraption(
    std::string_view makerName, std::string_view requestedName) {
    VTContraptionMaker* maker = findMaker(makerName);
    return maker ? maker->create(requestedName) : nullptr;
}

VTContraption* VTContraptionFactory::findContraption(std::string_view instanceName) const {
    auto it = contraptionsByName_.find(instanceName);
    return it == contraptionsByName_.end() ? nullptr : it->second;
}

void VTContraptionFactory::registerContraption(VTContraption& contraption) {
    contraptions_.push_back(&contraption);
    contraptionsByName_.emplace(contraption.name(), &contraption);
}

void VTContraptionFactory::unregisterContraption(VTContraption& contraption) {
    auto it = std::find(contraptions_.begin(), contraptions_.end(), &contraption);
    if (it != contraptions_.end()) contraptions_.erase(it);

    // The name map must never keep a contraption that is gone; when a namesake is still alive
    // it takes the name over.
    auto named = contraptionsByName_.find(contraption.name());
    if (named == contraptionsByName_.end() || named->second != &contraption) return;
    contraptionsByName_.erase(named);
    for (VTContraption* other : contraptions_) {
        if (other->name() == contraption.name()) {
            contraptionsByName_.emplace(other->name(), other);
            break;
        }
    }
}
