#include "platform/VTDocumentTypeRegistration.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

extern char** environ;

namespace fs = std::filesystem;

namespace VTDocumentTypeRegistration {
namespace {

constexpr const char* kMimePackage =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
    "  <mime-type type=\"application/x-vantrel-document\">\n"
    "    <comment>Vantrel Document</comment>\n"
    "    <icon name=\"application-x-vantrel-document\"/>\n"
    "    <magic priority=\"50\"><match type=\"string\" value=\".vtx \" offset=\"0\"/></magic>\n"
    "    <glob pattern=\"*.vtx\"/>\n"
    "  </mime-type>\n"
    "</mime-info>\n";

// A sheet with a patch cord across it.
constexpr const char* kDocumentIcon =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"48\" height=\"48\" viewBox=\"0 0 48 48\">\n"
    "  <path d=\"M10 4h20l8 8v32H10z\" fill=\"#f4f1ea\" stroke=\"#555\" stroke-width=\"2\"/>\n"
    "  <rect x=\"14\" y=\"16\" width=\"8\" height=\"6\" fill=\"#3a6ea5\"/>\n"
    "  <rect x=\"26\" y=\"32\" width=\"8\" height=\"6\" fill=\"#a53a3a\"/>\n"
    "  <path d=\"M18 22C18 30 30 24 30 32\" fill=\"none\" stroke=\"#222\" stroke-width=\"2\"/>\n"
    "</svg>\n";

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Writes the file unless it already holds exactly this text; true when it holds it afterwards.
// `changed` tells whether it had to be written.
bool writeIfDifferent(const fs::path& path, const std::string& text, bool& changed) {
    changed = false;
    std::error_code ec;
    if (fs::exists(path, ec) && readAll(path) == text) return true;
    fs::create_directories(path.parent_path(), ec);
    const fs::path temporary = path.string() + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!(out << text) || !out.flush()) return false;
    }
    fs::rename(temporary, path, ec);
    if (ec) fs::remove(temporary, ec);
    changed = !ec;
    return !ec;
}

// Runs the tool quietly and waits for it; a tool that is not installed is no failure of ours.
void runQuietly(const char* tool, const std::string& argument) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string name = tool;
    std::string arg = argument;
    char* argv[] = {name.data(), arg.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, tool, &actions, nullptr, argv, environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
    }
    posix_spawn_file_actions_destroy(&actions);
}

std::string desktopEntry(const std::string& programFile) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Vantrel\n"
           "Comment=Build and play modular audio patches\n"
           "Exec=" +
           execLine(programFile) +
           " %f\n"
           "Icon=application-x-vantrel-document\n"
           "MimeType=application/x-vantrel-document;\n"
           "Categories=AudioVideo;Audio;Midi;\n"
           "Terminal=false\n";
}

}  // namespace

std::string execLine(const std::string& programFile) {
    // Inside double quotes a desktop entry escapes " ` $ and \ with a backslash; the value
    // itself then escapes every backslash once more.
    std::string quoted = "\"";
    for (char c : programFile) {
        if (c == '"' || c == '`' || c == '$') quoted += "\\\\";
        if (c == '\\') quoted += "\\\\\\";
        if (c == '%') quoted += '%';
        quoted += c;
    }
    return quoted + "\"";
}

bool registerDocumentType(const std::string& programFile, const std::string& dataHome) {
    if (programFile.empty() || dataHome.empty()) return false;
    const fs::path data(dataHome);
    bool packageChanged = false;
    bool changed = false;
    bool entryChanged = false;
    bool ok = writeIfDifferent(data / "mime/packages/vantrel.xml", kMimePackage, packageChanged);
    ok = writeIfDifferent(
             data / "icons/hicolor/scalable/mimetypes/application-x-vantrel-document.svg",
             kDocumentIcon, changed) &&
         ok;
    ok = writeIfDifferent(data / "applications/vantrel.desktop", desktopEntry(programFile),
                          entryChanged) &&
         ok;
    // The desktop's caches learn of the type and of the program that opens it; a desktop
    // without the tools reads the files themselves.
    if (packageChanged) runQuietly("update-mime-database", (data / "mime").string());
    if (entryChanged) runQuietly("update-desktop-database", (data / "applications").string());
    return ok;
}

}  // namespace VTDocumentTypeRegistration
