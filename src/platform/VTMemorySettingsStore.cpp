#include "platform/VTMemorySettingsStore.h"

bool VTMemorySettingsStore::keyExists(const std::string& key) const {
    return groups_.count(key) != 0;
}

void VTMemorySettingsStore::createKey(const std::string& key) { groups_[key]; }

void VTMemorySettingsStore::deleteKey(const std::string& key) { groups_.erase(key); }

const VTMemorySettingsStore::Value* VTMemorySettingsStore::find(const std::string& key,
                                                                const std::string& name) const {
    auto g = groups_.find(key);
    if (g == groups_.end()) return nullptr;
    auto v = g->second.find(name);
    return v == g->second.end() ? nullptr : &v->second;
}

bool VTMemorySettingsStore::valueExists(const std::string& key, const std::string& name) const {
    return find(key, name) != nullptr;
}

std::vector<std::string> VTMemorySettingsStore::valueNames(const std::string& key) const {
    std::vector<std::string> names;
    auto g = groups_.find(key);
    if (g != groups_.end())
        for (const auto& [name, value] : g->second) names.push_back(name);
    return names;
}

void VTMemorySettingsStore::deleteValue(const std::string& key, const std::string& name) {
    auto g = groups_.find(key);
    if (g != groups_.end()) g->second.erase(name);
}

std::optional<std::string> VTMemorySettingsStore::readString(const std::string& key,
                                                             const std::string& name) const {
    const Value* v = find(key, name);
    if (v == nullptr || !std::holds_alternative<std::string>(*v)) return std::nullopt;
    return std::get<std::string>(*v);
}

std::optional<std::int32_t> VTMemorySettingsStore::readInteger(const std::string& key,
                                                               const std::string& name) const {
    const Value* v = find(key, name);
    if (v == nullptr || !std::holds_alternative<std::int32_t>(*v)) return std::nullopt;
    return std::get<std::int32_t>(*v);
}

std::optional<std::vector<std::uint8_t>> VTMemorySettingsStore::readBinary(
    const std::string& key, const std::string& name) const {
    const Value* v = find(key, name);
    if (v == nullptr || !std::holds_alternative<std::vector<std::uint8_t>>(*v)) return std::nullopt;
    return std::get<std::vector<std::uint8_t>>(*v);
}

void VTMemorySettingsStore::writeString(const std::string& key, const std::string& name,
                                        const std::string& value) {
    groups_[key][name] = value;
}

void VTMemorySettingsStore::writeInteger(const std::string& key, const std::string& name,
                                         std::int32_t value) {
    groups_[key][name] = value;
}

void VTMemorySettingsStore::writeBinary(const std::string& key, const std::string& name,
                                        const std::vector<std::uint8_t>& value) {
    groups_[key][name] = value;
}
