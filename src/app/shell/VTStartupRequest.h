#pragma once

#include <optional>
#include <string>

// What the command line asks the main window to do once it is built: open a document, and
// optionally start audio and the transport. The flags are set only together with startDacs.
struct VTStartupRequest {
    std::optional<std::string> path;
    bool startDacs = false;
    bool startAdcs = false;
    bool startClock = false;
};
