#include "params/SGDynamicPropertyTable.h"

#include "params/SGBoolProperty.h"

void SGDynamicPropertyTable::ClassInfo::addProperty(std::string name, const SGPropertyUnits* units,
                                                    double minimum, double maximum) {
    int index = static_cast<int>(infos.size());
    byName.emplace(name, index);
    infos.push_back(std::make_unique<PropertyInfo>(std::move(name), units, minimum, maximum));
}

SGProperty& SGDynamicPropertyTable::property(int index) {
    if (index < 0 || index >= count()) return SGNullProperty;
    return *properties_[static_cast<std::size_t>(index)];
}

SGProperty& SGDynamicPropertyTable::findProperty(const std::string& name) {
    return property(indexOf(name));
}

int SGDynamicPropertyTable::count() const { return static_cast<int>(properties_.size()); }

int SGDynamicPropertyTable::indexOf(const std::string& name) const {
    if (!info_) return -1;
    auto it = info_->byName.find(name);
    return it == info_->byName.end() || it->second >= count() ? -1 : it->second;
}

const SGPropertyInfo& SGDynamicPropertyTable::info(int index) const {
    return *info_->infos[static_cast<std::size_t>(index)];
}
