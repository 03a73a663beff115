#pragma once

#include <map>
#include <variant>

#include "platform/VTSettingsStore.h"

// A settings store that lives only as long as the object: for the tests and for command-line
// runs that must not touch the user's settings.
class VTMemorySettingsStore : public VTSettingsStore {
public:
    bool keyExists(const std::string& key) const override;
    void createKey(const std::string& key) override;
    void deleteKey(const std::string& key) override;

    bool valueExists(const std::string& key, const std::string& name) const override;
    std::vector<std::string> valueNames(const std::string& key) const override;
    void deleteValue(const std::string& key, const std::string& name) override;

    std::optional<std::string> readString(const std::string& key,
                                          const std::string& name) const override;
    std::optional<std::int32_t> readInteger(const std::string& key,
                                            const std::string& name) const override;
    std::optional<std::vector<std::uint8_t>> readBinary(const std::string& key,
                                                        const std::string& name) const override;

    void writeString(const std::string& key, const std::string& name,
                     const std::string& value) override;
    void writeInteger(const std::string& key, const std::string& name, std::int32_t value) override;
    void writeBinary(const std::string& key, const std::string& name,
                     const std::vector<std::uint8_t>& value) override;

private:
    using Value = std::variant<std::string, std::int32_t, std::vector<std::uint8_t>>;
    using Group = std::map<std::string, Value>;

    const Value* find(const std::string& key, const std::string& name) const;

    std::map<std::string, Group> groups_;
};
