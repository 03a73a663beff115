#include "library/plugins/VSTPluginScan.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string_view>
#include <system_error>

#include "library/plugins/VSTContraptionMaker.h"
#include "platform/VTProgramPaths.h"

namespace fs = std::filesystem;

namespace VSTPluginScan {

namespace {

struct ScanState {
    std::set<fs::path> seenFolders;
    std::set<fs::path> seenLibraries;
    std::set<std::string> seenNames;
    const std::function<bool(const std::string&)>* isNameTaken;
};

char lowered(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool isLibraryName(const std::string& fileName) {
    return fileName.size() > 3 && std::string_view(fileName).substr(fileName.size() - 3) == ".so";
}

// The real location, so that links and repeated roots lead to one entry; empty when the entry
// cannot be resolved (a dangling link).
fs::path resolved(const fs::path& p) {
    std::error_code ec;
    fs::path real = fs::canonical(p, ec);
    return ec ? fs::path() : real;
}

void scanFolder(const fs::path& folder, VSTPluginFolder& into, ScanState& state) {
    fs::path real = resolved(folder);
    // Seen before: a link back up the tree would otherwise be followed for ever.
    if (real.empty() || !state.seenFolders.insert(real).second) return;

    std::vector<std::pair<std::string, fs::path>> folders;
    std::vector<std::pair<std::string, fs::path>> libraries;
    std::error_code ec;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        std::string fileName = p.filename().string();
        std::error_code statusError;
        fs::file_status status = fs::status(p, statusError);
        if (statusError) continue;
        if (fs::is_directory(status))
            folders.emplace_back(fileName, p);
        else if (fs::is_regular_file(status) && isLibraryName(fileName))
            libraries.emplace_back(VSTContraptionMaker::makerNameFor(fileName), p);
    }
    auto byCaption = [](const auto& a, const auto& b) { return captionLess(a.first, b.first); };
    std::sort(folders.begin(), folders.end(), byCaption);
    std::sort(libraries.begin(), libraries.end(), byCaption);

    for (auto& [name, p] : folders) {
        VSTPluginFolder sub{name, {}, {}};
        scanFolder(p, sub, state);
        if (!sub.empty()) into.folders.push_back(std::move(sub));
    }
    for (auto& [name, p] : libraries) {
        fs::path library = resolved(p);
        if (library.empty() || !state.seenLibraries.insert(library).second) continue;
        if (state.seenNames.count(name) != 0) continue;
        if (*state.isNameTaken && (*state.isNameTaken)(name)) continue;
        state.seenNames.insert(name);
        into.plugins.push_back({name, p.string(), -1});
    }
}

}  // namespace

bool captionLess(const std::string& a, const std::string& b) {
    std::string la = a, lb = b;
    for (char& c : la) c = lowered(c);
    for (char& c : lb) c = lowered(c);
    return la != lb ? la < lb : a < b;
}

std::vector<std::string> foldersFrom(const std::string& programDirectory, const char* vstPath,
                                     const char* home) {
    std::vector<std::string> roots;
    if (!programDirectory.empty()) roots.push_back(programDirectory + "VSTplugins");
    std::string_view paths = vstPath != nullptr ? vstPath : "";
    bool anyPath = false;
    while (!paths.empty()) {
        std::size_t colon = paths.find(':');
        std::string_view part = paths.substr(0, colon);
        if (!part.empty()) {
            roots.emplace_back(part);
            anyPath = true;
        }
        paths = colon == std::string_view::npos ? std::string_view() : paths.substr(colon + 1);
    }
    if (anyPath) return roots;
    if (home != nullptr && home[0] != '\0') roots.push_back(std::string(home) + "/.vst");
    for (const char* folder : {"/usr/local/lib/vst", "/usr/lib/vst", "/usr/lib/lxvst"})
        roots.emplace_back(folder);
    return roots;
}

std::vector<std::string> defaultFolders() {
    return foldersFrom(VTProgramPaths::programDirectory(), std::getenv("VST_PATH"),
                       std::getenv("HOME"));
}

VSTPluginFolder scan(const std::vector<std::string>& roots,
                     const std::function<bool(const std::string&)>& isNameTaken) {
    VSTPluginFolder top;
    ScanState state{{}, {}, {}, &isNameTaken};
    for (const std::string& root : roots) scanFolder(root, top, state);
    // Each root's groups come sorted; the roots together are sorted once more.
    auto folderLess = [](const VSTPluginFolder& a, const VSTPluginFolder& b) {
        return captionLess(a.name, b.name);
    };
    auto pluginLess = [](const VSTPluginEntry& a, const VSTPluginEntry& b) {
        return captionLess(a.name, b.name);
    };
    std::stable_sort(top.folders.begin(), top.folders.end(), folderLess);
    std::stable_sort(top.plugins.begin(), top.plugins.end(), pluginLess);
    return top;
}

}  // namespace VSTPluginScan
