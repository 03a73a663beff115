#include "document/KDReloadManager.h"

#include <algorithm>

#include "platform/VTSettingsStore.h"

KDReloadManager::KDReloadManager(VTSettingsStore& store, std::string key)
    : store_(store), key_(std::move(key)) {
    if (!store_.keyExists(key_)) return;
    for (std::size_t i = 0; i < kMaxEntries; ++i) {
        const auto path = store_.readString(key_, ValueName(i));
        // A hand-edited group may hold gaps, empty values or a path twice; the list keeps
        // its rules whatever it was loaded from.
        if (!path || path->empty()) continue;
        if (std::find(entries_.begin(), entries_.end(), *path) != entries_.end()) continue;
        entries_.push_back(*path);
    }
}

KDReloadManager::~KDReloadManager() { Store(); }

void KDReloadManager::Add(const std::string& path) {
    if (path.empty()) return;
    auto same = std::find(entries_.begin(), entries_.end(), path);
    if (same != entries_.end())
        entries_.erase(same);
    else if (entries_.size() >= kMaxEntries)
        entries_.resize(kMaxEntries - 1);
    entries_.insert(entries_.begin(), path);
}

std::vector<KDReloadManager::MenuItem> KDReloadManager::BuildMenuItems() const {
    std::vector<MenuItem> items;
    items.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        std::string shown;
        for (char c : entries_[i]) {
            if (c == '&') shown.push_back('&');
            shown.push_back(c);
        }
        std::string caption("&");
        caption += std::to_string(i);
        caption += ' ';
        caption += shown;
        items.push_back({std::move(caption), entries_[i]});
    }
    return items;
}

void KDReloadManager::Store() const {
    store_.createKey(key_);
    for (std::size_t j = 0; j < entries_.size(); ++j)
        store_.writeString(key_, ValueName(j), entries_[j]);
    for (std::size_t i = entries_.size(); i < kMaxEntries; ++i)
        store_.deleteValue(key_, ValueName(i));
    store_.flush();
}
