#pragma once

#include <csignal>
#include <cstdio>
#include <string>

#include "export/VTExportProgress.h"

// The export's progress on a terminal. On a terminal the two lines and a bar are redrawn in
// place; otherwise (a log, a pipe) each new line is written once. Ctrl+C asks the export to
// stop, so that a render broken off leaves no half-written file: the handler is installed for
// this object's life, and a second Ctrl+C ends the program at once.
class VTTerminalProgress : public VTExportProgress {
public:
    static constexpr int kBarCells = 30;

    VTTerminalProgress(std::FILE* stream, bool drawBar);
    ~VTTerminalProgress() override;
    VTTerminalProgress(const VTTerminalProgress&) = delete;
    VTTerminalProgress& operator=(const VTTerminalProgress&) = delete;

    void begin(const std::string& caption) override;
    void setLines(const std::string& first, const std::string& second) override;
    void setProgress(float progress) override;
    float progress() const override { return progress_; }
    bool cancelRequested() const override;
    void processEvents() override {}
    void end() override;

    // The bar as drawn: "[#######.......]  42%".
    static std::string barText(float progress);
    // What Ctrl+C does, also for tests.
    static void requestCancel();

private:
    void draw();

    std::FILE* stream_;
    bool drawBar_;
    bool drawn_ = false;
    std::string label_;
    float progress_ = 0.0f;
    void (*previousHandler_)(int) = SIG_DFL;
};
