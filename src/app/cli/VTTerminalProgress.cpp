#include "app/cli/VTTerminalProgress.h"

#include <algorithm>
#include <cmath>

namespace {

volatile std::sig_atomic_t cancelFlag = 0;

extern "C" void onInterrupt(int) {
    if (cancelFlag) {
        std::signal(SIGINT, SIG_DFL);
        std::raise(SIGINT);
        return;
    }
    cancelFlag = 1;
}

}  // namespace

VTTerminalProgress::VTTerminalProgress(std::FILE* stream, bool drawBar)
    : stream_(stream), drawBar_(drawBar) {
    cancelFlag = 0;
    previousHandler_ = std::signal(SIGINT, onInterrupt);
    if (previousHandler_ == SIG_ERR) previousHandler_ = SIG_DFL;
}

VTTerminalProgress::~VTTerminalProgress() { std::signal(SIGINT, previousHandler_); }

void VTTerminalProgress::requestCancel() { cancelFlag = 1; }

bool VTTerminalProgress::cancelRequested() const { return cancelFlag != 0; }

void VTTerminalProgress::begin(const std::string&) {
    progress_ = 0.0f;
    label_.clear();
}

void VTTerminalProgress::setLines(const std::string& first, const std::string& second) {
    label_ = second.empty() ? first : first + " " + second;
    if (drawBar_) {
        draw();
    } else {
        std::fprintf(stream_, "%s\n", label_.c_str());
        std::fflush(stream_);
    }
}

void VTTerminalProgress::setProgress(float progress) {
    progress_ = std::clamp(progress, 0.0f, 1.0f);
    if (drawBar_) draw();
}

void VTTerminalProgress::end() {
    if (drawBar_ && drawn_) std::fputc('\n', stream_);
    drawn_ = false;
    std::fflush(stream_);
}

std::string VTTerminalProgress::barText(float progress) {
    progress = std::clamp(progress, 0.0f, 1.0f);
    const int filled = static_cast<int>(std::floor(progress * kBarCells));
    const int percent = static_cast<int>(std::floor(progress * 100.0f));
    char tail[8];
    std::snprintf(tail, sizeof tail, "] %3d%%", percent);
    std::string bar = "[";
    bar.append(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kBarCells - filled), '.');
    bar.append(tail);
    return bar;
}

void VTTerminalProgress::draw() {
    // Back to the start of the line and clear it: the label can get shorter.
    std::fprintf(stream_, "\r\033[K%s %s", barText(progress_).c_str(), label_.c_str());
    std::fflush(stream_);
    drawn_ = true;
}
