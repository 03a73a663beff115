#pragma once

#include <cstdio>
#include <string>

#include "app/cli/VTCommandLine.h"

class SGDynSigContext;
class VTDocument;

// `vantrel --render PATCH.vtx OUT.wav`: reads the patch as File Open does and exports it with
// the export of the main window, headless. Messages the window would show in a message box go
// to standard error with their own texts; progress goes there too, and one line on standard
// output sums up the result. Nothing is read from or written to the settings store, and no
// sound device is opened.
class VTRenderCommand {
public:
    enum ExitStatus { kSucceeded = 0, kFailed = 1, kBadArguments = 2, kCancelled = 130 };

    struct Streams {
        std::FILE* out = stdout;
        std::FILE* err = stderr;
        bool drawProgressBar = false;
    };

    VTRenderCommand(const VTCommandRequest& request, Streams streams);
    int run();

    // The summary line: frames, seconds of sound, and the speed as a multiple of real time.
    static std::string summary(std::uint64_t frames, double elapsedSeconds,
                               const std::string& file);

    // What every headless run needs before a document is read.
    static void prepareProgram(const std::string& patchPath);

private:
    bool readPatch(VTDocument& document);
    bool checkPatch();
    int exportPatch(SGDynSigContext& context);
    void fail(const std::string& message) const;

    const VTCommandRequest& request_;
    Streams streams_;
};
