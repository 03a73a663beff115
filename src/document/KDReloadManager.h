#pragma once

#include <string>
#include <vector>

#include "platform/VTSettingsKeys.h"

class VTSettingsStore;

// The recently closed documents behind the File menu's Reopen submenu: at most 10 paths, the
// most recently closed first, no path twice. Loaded from the settings group when made and
// stored back, as "File_0" ... "File_9", when destroyed. Settings that cannot be read or
// written are passed over silently: the list is then empty or not kept.
class KDReloadManager {
public:
    static constexpr std::size_t kMaxEntries = 10;

    struct MenuItem {
        std::string caption;  // "&" + index + " " + path, for the menu
        std::string path;
    };

    // The store must outlive the manager.
    explicit KDReloadManager(VTSettingsStore& store, std::string key = VTSettingsKeys::ClosedFiles);
    ~KDReloadManager();
    KDReloadManager(const KDReloadManager&) = delete;
    KDReloadManager& operator=(const KDReloadManager&) = delete;

    // Puts the path at the front (taking an equal one out first, compared exactly); nothing
    // for an empty path. The oldest entry goes when the list would exceed 10.
    void Add(const std::string& path);

    const std::vector<std::string>& Entries() const { return entries_; }
    // One item per entry, in order. A "&" in a path is doubled so the menu shows it as it is
    // rather than taking it for a mnemonic.
    std::vector<MenuItem> BuildMenuItems() const;
    // Writes the list to the store now (the destructor does the same).
    void Store() const;

    static std::string ValueName(std::size_t index) { return "File_" + std::to_string(index); }

private:
    VTSettingsStore& store_;
    std::string key_;
    std::vector<std::string> entries_;
};
