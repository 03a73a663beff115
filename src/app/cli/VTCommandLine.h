#pragma once

#include <string>
#include <vector>

#include "export/VTExportSettings.h"

// What the program was asked to do on its command line.
struct VTCommandRequest {
    enum class Action {
        Window,  // everything else: the main window reads its own switches and document
        Help,
        Version,
        Render,  // --render PATCH.vtx OUT.wav [options]
        Error    // `error` says what is wrong
    };

    Action action = Action::Window;
    std::vector<std::string> windowArguments;
    std::string patch;
    std::string output;
    // The export dialog's defaults: pattern mode, no pre-roll, one bar.
    VTExportSettings settings;
    std::string error;
};

// Parses the arguments after the program name. Options of the render take their value as the
// next argument or after "=" ("--mode timed", "--mode=timed"). Numbers are read with a point
// whatever the locale says, within the export dialog's ranges.
class VTCommandLine {
public:
    static constexpr const char* kErrorCaption = "Vantrel Command Line Error";
    static constexpr const char* kVersionText = "Vantrel 0.8";

    static VTCommandRequest parse(const std::vector<std::string>& arguments);
    static VTCommandRequest parse(int argc, const char* const* argv);
    static std::string usage(const std::string& program);

private:
    class Parser;
};
