#pragma once

#include <functional>
#include <string>
#include <vector>

#include "export/VTExportProgress.h"
#include "params/SGSignalProcessor.h"
#include "signal/SGDynSigContext.h"

namespace vantrel::test {

// Records what the export shows; cancels when `cancelWhen` says so, asked at every
// processEvents with the number of calls so far (1 = the one after the progress is shown).
class RecordingProgress : public VTExportProgress {
public:
    void begin(const std::string& caption) override {
        captions.push_back(caption);
        progress_ = 0.0f;
        cancel_ = false;
    }
    void setLines(const std::string& first, const std::string& second) override {
        lines.push_back(first + "|" + second);
    }
    void setProgress(float p) override { progress_ = p; }
    float progress() const override { return progress_; }
    bool cancelRequested() const override { return cancel_; }
    void processEvents() override {
        ++events;
        if (cancelWhen && cancelWhen(events)) cancel_ = true;
    }
    void end() override { ++ends; }

    std::function<bool(int)> cancelWhen;
    std::vector<std::string> captions;
    std::vector<std::string> lines;
    int events = 0;
    int ends = 0;

private:
    float progress_ = 0.0f;
    bool cancel_ = false;
};

// A stereo source that plays a ramp counted from its last reset and notes the clock at the
// start of each of its first blocks.
class ClockProbe : public SGSignalProcessor {
public:
    static constexpr std::size_t kKept = 4096;
    ClockProbe() : SGSignalProcessor(0, 2) { positions.reserve(kKept); }
    static float left(std::uint64_t frame) { return float(frame % 4000) / 4000.0f - 0.5f; }
    static float right(std::uint64_t frame) { return -0.5f * left(frame); }
    void reset() override {
        frame = 0;
        positions.clear();
        ++resets;
    }
    void process() override {
        if (positions.size() < kKept) positions.push_back(context()->clockPosition());
        for (std::uint32_t i = 0; i < SGBlockSize; ++i, ++frame) {
            outletSignal(0)[i] = left(frame);
            outletSignal(1)[i] = right(frame);
        }
    }
    std::uint64_t frame = 0;
    std::vector<double> positions;
    int resets = 0;
};

}  // namespace vantrel::test
