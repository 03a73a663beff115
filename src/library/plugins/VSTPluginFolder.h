#pragma once

#include <string>
#include <vector>

// What the plug-in scan found, as the main window's "VST Plugins" submenu shows it: each folder
// with its sub-folders first and its plug-ins after them, both groups sorted by caption. Only
// folders that hold a plug-in somewhere below them are kept.
struct VSTPluginEntry {
    std::string name;     // the maker's name and the menu caption
    std::string path;     // the library file
    int makerIndex = -1;  // the factory's index of the plug-in's maker, once registered
};

struct VSTPluginFolder {
    std::string name;  // the folder's own name; empty for the top
    std::vector<VSTPluginFolder> folders;
    std::vector<VSTPluginEntry> plugins;

    bool empty() const { return folders.empty() && plugins.empty(); }
};
