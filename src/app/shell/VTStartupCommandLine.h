#pragma once

#include <string>
#include <vector>

#include "app/shell/VTStartupRequest.h"

// Reads the main window's command line: switches "/STARTDACS", "/STARTADCS", "/STARTCLOCK" in
// any case (also written "--startdacs" and so on) and at most one document path. Any other
// argument beginning with "/" is a path, as absolute paths begin with "/" here.
//
// The first argument that cannot be understood (an unknown switch, a second document) stops
// the reading; what was understood before it stays in effect.
class VTStartupCommandLine {
public:
    static constexpr const char* kErrorCaption = "Vantrel Command Line Error";

    struct Result {
        VTStartupRequest request;
        std::string error;  // the message for the first bad argument; empty when all were read
    };

    // `arguments` include the program name at index 0, as the message counts it.
    static Result parse(const std::vector<std::string>& arguments);
    static Result parse(int argc, const char* const* argv);
    // Parses and shows the message, if any, in the installed message box.
    static VTStartupRequest parseAndReport(const std::vector<std::string>& arguments);

    // True when the arguments ask for one of the command-line tools (--render, --help,
    // --version) rather than the main window.
    static bool isToolRequest(const std::vector<std::string>& arguments);

    // "Bad command line parameter number N: "ARG"".
    static std::string badParameterText(std::size_t index, const std::string& argument);
};
