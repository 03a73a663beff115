#pragma once

#include <memory>

#include "platform/VTSettingsStore.h"

class QSettings;

// The user's settings kept in an INI file, one section per group. Written through QSettings so
// that the file stays readable and editable by hand: strings and integers appear as text,
// byte blocks in QSettings' @ByteArray notation. Integers are read back from their text, so a
// value edited by hand to "12" reads as the integer 12.
class VTIniSettingsStore : public VTSettingsStore {
public:
    // The store of the running user: $XDG_CONFIG_HOME/Harlowfen/Vantrel-0.8.ini, where an unset
    // or relative XDG_CONFIG_HOME means ~/.config.
    VTIniSettingsStore();
    explicit VTIniSettingsStore(const std::string& fileName);
    ~VTIniSettingsStore() override;  // writes what changed

    static std::string defaultFileName();
    std::string fileName() const;

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

    void flush() override;

private:
    std::unique_ptr<QSettings> settings_;
};
