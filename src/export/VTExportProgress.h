#pragma once

#include <string>

// What an export shows while it runs, and the user's way to stop it: the progress window of
// the user interface, a progress bar on the terminal, or a test's recorder. The export calls
// it only between chunks, on its own thread.
class VTExportProgress {
public:
    virtual ~VTExportProgress() = default;

    // Shown with its caption, two empty lines, progress 0 and the cancel request cleared.
    virtual void begin(const std::string& caption) = 0;
    virtual void setLines(const std::string& first, const std::string& second) = 0;
    // 0 ... 1.
    virtual void setProgress(float progress) = 0;
    virtual float progress() const = 0;
    // Whether the user asked to stop; read before each chunk.
    virtual bool cancelRequested() const = 0;
    // Lets pending window messages (the Cancel button among them) run.
    virtual void processEvents() = 0;
    virtual void end() = 0;
};
