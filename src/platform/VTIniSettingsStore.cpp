#include "platform/VTIniSettingsStore.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVariant>

#include "platform/VTProgramPaths.h"

namespace {

// An INI section only exists while it holds a value, but a group may be a bare marker. Such
// groups carry this entry, which no program value can be named (a leading dot) and which
// valueNames hides.
const QString kKeyMarker = QStringLiteral(".key");

QString q(const std::string& s) { return QString::fromStdString(s); }

QString path(const std::string& key, const std::string& name) { return q(key) + '/' + q(name); }

}  // namespace

VTIniSettingsStore::VTIniSettingsStore() : VTIniSettingsStore(defaultFileName()) {}

VTIniSettingsStore::VTIniSettingsStore(const std::string& fileName)
    : settings_(std::make_unique<QSettings>(q(fileName), QSettings::IniFormat)) {}

VTIniSettingsStore::~VTIniSettingsStore() { settings_->sync(); }

std::string VTIniSettingsStore::defaultFileName() {
    return VTProgramPaths::configHome() + "/Harlowfen/Vantrel-0.8.ini";
}

std::string VTIniSettingsStore::fileName() const { return settings_->fileName().toStdString(); }

bool VTIniSettingsStore::keyExists(const std::string& key) const {
    return settings_->childGroups().contains(q(key));
}

void VTIniSettingsStore::createKey(const std::string& key) {
    if (!keyExists(key)) settings_->setValue(q(key) + '/' + kKeyMarker, 1);
}

void VTIniSettingsStore::deleteKey(const std::string& key) { settings_->remove(q(key)); }

bool VTIniSettingsStore::valueExists(const std::string& key, const std::string& name) const {
    return !name.empty() && settings_->contains(path(key, name));
}

std::vector<std::string> VTIniSettingsStore::valueNames(const std::string& key) const {
    std::vector<std::string> names;
    settings_->beginGroup(q(key));
    const QStringList keys = settings_->childKeys();
    settings_->endGroup();
    for (const QString& k : keys)
        if (k != kKeyMarker) names.push_back(k.toStdString());
    return names;
}

void VTIniSettingsStore::deleteValue(const std::string& key, const std::string& name) {
    if (name.empty() || !valueExists(key, name)) return;
    // Removing the last value would make the section vanish with it; a group keeps existing
    // until it is deleted itself.
    if (!settings_->contains(q(key) + '/' + kKeyMarker))
        settings_->setValue(q(key) + '/' + kKeyMarker, 1);
    settings_->remove(path(key, name));
}

std::optional<std::string> VTIniSettingsStore::readString(const std::string& key,
                                                          const std::string& name) const {
    if (!valueExists(key, name)) return std::nullopt;
    QVariant v = settings_->value(path(key, name));
    if (v.typeId() == QMetaType::QByteArray || !v.canConvert<QString>()) return std::nullopt;
    // A list arises only from a hand-edited line with commas; take it as the text it was.
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(", ").toStdString();
    return v.toString().toStdString();
}

std::optional<std::int32_t> VTIniSettingsStore::readInteger(const std::string& key,
                                                            const std::string& name) const {
    if (!valueExists(key, name)) return std::nullopt;
    QVariant v = settings_->value(path(key, name));
    if (v.typeId() == QMetaType::Int) return v.toInt();
    if (v.typeId() != QMetaType::QString) return std::nullopt;
    bool ok = false;
    int i = v.toString().trimmed().toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return static_cast<std::int32_t>(i);
}

std::optional<std::vector<std::uint8_t>> VTIniSettingsStore::readBinary(
    const std::string& key, const std::string& name) const {
    if (!valueExists(key, name)) return std::nullopt;
    QVariant v = settings_->value(path(key, name));
    if (v.typeId() != QMetaType::QByteArray) return std::nullopt;
    QByteArray bytes = v.toByteArray();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

void VTIniSettingsStore::writeString(const std::string& key, const std::string& name,
                                     const std::string& value) {
    if (!name.empty()) settings_->setValue(path(key, name), q(value));
}

void VTIniSettingsStore::writeInteger(const std::string& key, const std::string& name,
                                      std::int32_t value) {
    if (!name.empty()) settings_->setValue(path(key, name), static_cast<int>(value));
}

void VTIniSettingsStore::writeBinary(const std::string& key, const std::string& name,
                                     const std::vector<std::uint8_t>& value) {
    if (name.empty()) return;
    QByteArray bytes(reinterpret_cast<const char*>(value.data()),
                     static_cast<qsizetype>(value.size()));
    settings_->setValue(path(key, name), bytes);
}

void VTIniSettingsStore::flush() { settings_->sync(); }
