#include "app/shell/VTStartupCommandLine.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/VTMessageBox.h"

namespace {

enum class Switch { None, StartDacs, StartAdcs, StartClock, Unknown };

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

Switch switchNamed(const std::string& name) {
    const std::string n = upper(name);
    if (n == "STARTDACS") return Switch::StartDacs;
    if (n == "STARTADCS") return Switch::StartAdcs;
    if (n == "STARTCLOCK") return Switch::StartClock;
    return Switch::Unknown;
}

// "/startdacs" and "--startdacs" name switches; any other "/..." is an absolute path, any other
// "-..." an option this program does not have.
Switch classify(const std::string& a) {
    if (a.size() > 2 && a.compare(0, 2, "--") == 0) return switchNamed(a.substr(2));
    if (!a.empty() && a[0] == '-') return Switch::Unknown;
    if (!a.empty() && a[0] == '/') {
        const Switch s = switchNamed(a.substr(1));
        return s == Switch::Unknown ? Switch::None : s;
    }
    return Switch::None;
}

// The file's canonical path, or nothing when there is no such file.
std::optional<std::string> longForm(const std::string& argument) {
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::canonical(argument, ec);
    if (ec || !std::filesystem::exists(p, ec) || std::filesystem::is_directory(p, ec))
        return std::nullopt;
    return p.string();
}

}  // namespace

std::string VTStartupCommandLine::badParameterText(std::size_t index, const std::string& argument) {
    return "Bad command line parameter number " + std::to_string(index) + ": \"" + argument + "\"";
}

VTStartupCommandLine::Result VTStartupCommandLine::parse(const std::vector<std::string>& args) {
    Result result;
    bool dacs = false, adcs = false, clock = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const Switch s = classify(a);
        if (s == Switch::StartDacs) dacs = true;
        else if (s == Switch::StartAdcs) adcs = true;
        else if (s == Switch::StartClock) clock = true;
        else if (s == Switch::None && !result.request.path) {
            // A path that does not exist is ignored as if it had not been given.
            result.request.path = longForm(a);
        } else {
            result.error = badParameterText(i, a);
            break;
        }
    }
    if (dacs) {
        result.request.startDacs = true;
        result.request.startAdcs = adcs;
        result.request.startClock = clock;
    }
    return result;
}

VTStartupCommandLine::Result VTStartupCommandLine::parse(int argc, const char* const* argv) {
    return parse(std::vector<std::string>(argv, argv + std::max(argc, 0)));
}

VTStartupRequest VTStartupCommandLine::parseAndReport(const std::vector<std::string>& arguments) {
    Result result = parse(arguments);
    if (!result.error.empty()) VTMessageBox::show(result.error, kErrorCaption);
    return result.request;
}

bool VTStartupCommandLine::isToolRequest(const std::vector<std::string>& arguments) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--render" || a == "--help" || a == "-h" || a == "--version") return true;
    }
    return false;
}
