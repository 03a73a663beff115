#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The per-user settings of the program: named groups (the keys of the application key, such as
// "Closed Files" or "WaveStream") holding named values. A value is a string, an integer or a
// block of bytes; booleans are stored as the integers 1 and 0.
//
// Reads give nothing when the group or value is absent or holds another kind of value, so that
// every caller can keep its default. Writes create the group. Failures are never reported: a
// store that cannot be written simply keeps nothing.
class VTSettingsStore {
public:
    virtual ~VTSettingsStore() = default;

    // A group may exist without values ("Don't Request Initial Help" is only a marker).
    virtual bool keyExists(const std::string& key) const = 0;
    virtual void createKey(const std::string& key) = 0;
    virtual void deleteKey(const std::string& key) = 0;

    virtual bool valueExists(const std::string& key, const std::string& name) const = 0;
    virtual std::vector<std::string> valueNames(const std::string& key) const = 0;
    virtual void deleteValue(const std::string& key, const std::string& name) = 0;

    virtual std::optional<std::string> readString(const std::string& key,
                                                  const std::string& name) const = 0;
    virtual std::optional<std::int32_t> readInteger(const std::string& key,
                                                    const std::string& name) const = 0;
    virtual std::optional<std::vector<std::uint8_t>> readBinary(const std::string& key,
                                                                const std::string& name) const = 0;

    virtual void writeString(const std::string& key, const std::string& name,
                             const std::string& value) = 0;
    virtual void writeInteger(const std::string& key, const std::string& name,
                              std::int32_t value) = 0;
    virtual void writeBinary(const std::string& key, const std::string& name,
                             const std::vector<std::uint8_t>& value) = 0;

    // Booleans are integers: any non-zero integer reads as true.
    std::optional<bool> readBool(const std::string& key, const std::string& name) const {
        auto v = readInteger(key, name);
        if (!v) return std::nullopt;
        return *v != 0;
    }
    void writeBool(const std::string& key, const std::string& name, bool value) {
        writeInteger(key, name, value ? 1 : 0);
    }

    // Makes what was written durable; stores without a backing file do nothing.
    virtual void flush() {}
};
