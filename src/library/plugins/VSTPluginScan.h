#pragma once

#include <functional>
#include <string>
#include <vector>

#include "library/plugins/VSTPluginFolder.h"

// Finds plug-in libraries ("*.so") in the plug-in folders and their sub-folders. The result is
// data only; the registry turns it into makers and the main window into menu items.
namespace VSTPluginScan {

// The folders scanned, in order: "VSTplugins" beside the program, then the directories of
// VST_PATH when it holds any, else ~/.vst, /usr/local/lib/vst, /usr/lib/vst and /usr/lib/lxvst.
std::vector<std::string> defaultFolders();
// The same from given parts (programDirectory with its trailing "/", or empty; vstPath and
// home may be null).
std::vector<std::string> foldersFrom(const std::string& programDirectory, const char* vstPath,
                                     const char* home);

// Scans every root into one top folder. A library or folder reached twice (through a symbolic
// link, or a root listed twice) is taken once, where it is first met; of two libraries with the
// same maker name, and of a library whose name `isNameTaken` says is in use, only the first
// (none) is listed. Missing and unreadable folders are skipped.
VSTPluginFolder scan(const std::vector<std::string>& roots,
                     const std::function<bool(const std::string&)>& isNameTaken = {});

// The menu order of two captions: case-insensitive, with the exact text breaking ties so that
// the order never depends on how the file system lists a folder.
bool captionLess(const std::string& a, const std::string& b);

}  // namespace VSTPluginScan
