#include "params/SGStaticPropertyTable.h"

#include "params/SGBoolProperty.h"

void SGStaticPropertyTable::ClassInfo::addProperty(const SGStaticPropertyTable& table,
                                                   const SGProperty& property, std::string name,
                                                   const SGPropertyUnits* units, double minimum,
                                                   double maximum) {
    auto offset = reinterpret_cast<const char*>(&property) - reinterpret_cast<const char*>(&table);
    int index = static_cast<int>(infos.size());
    byName.emplace(name, index);  // a second property of the same name keeps the first index
    infos.push_back(std::make_unique<PropertyInfo>(std::move(name), units, minimum, maximum, offset));
}

SGProperty& SGStaticPropertyTable::property(int index) {
    if (!info_ || index < 0 || index >= count()) return SGNullProperty;
    auto offset = info_->infos[static_cast<std::size_t>(index)]->offset;
    return *reinterpret_cast<SGProperty*>(reinterpret_cast<char*>(this) + offset);
}

SGProperty& SGStaticPropertyTable::findProperty(const std::string& name) {
    return property(indexOf(name));
}

int SGStaticPropertyTable::count() const {
    return info_ ? static_cast<int>(info_->infos.size()) : 0;
}

int SGStaticPropertyTable::indexOf(const std::string& name) const {
    if (!info_) return -1;
    auto it = info_->byName.find(name);
    return it == info_->byName.end() ? -1 : it->second;
}

const SGPropertyInfo& SGStaticPropertyTable::info(int index) const {
    return *info_->infos[static_cast<std::size_t>(index)];
}

SGStaticPropertyTable& SGStaticPropertyTable::empty() {
    static SGStaticPropertyTable table;
    static ClassInfo none;
    none.buildOnce([](auto&) {});
    return table.bind(none);
}
