#include "export/VTExportLengths.h"

#include <cmath>

#include "signal/SGConstants.h"
#include "signal/SGTempo.h"

namespace VTExportLengths {

namespace {

// Counts are made in 64 bits: 10000 bars at a slow tempo is more frames than 32 bits hold, and
// a wrapped count would quietly export the wrong length.
std::uint64_t truncatedFrames(double value) {
    if (!(value > 0.0)) return 0;
    if (value >= 1.8e19) return UINT64_MAX;
    return static_cast<std::uint64_t>(value);
}

}  // namespace

std::uint64_t framesForBars(double bars, double spt) {
    return truncatedFrames(std::trunc(spt * bars * SGTicksPerBar));
}

std::uint64_t framesForSeconds(double seconds) {
    return truncatedFrames(std::trunc(seconds * SGSampleRate));
}

Frames framesFor(const VTExportSettings& settings, double spt) {
    if (settings.inBars)
        return {framesForBars(settings.preRoll, spt), framesForBars(settings.record, spt)};
    return {framesForSeconds(settings.preRoll), framesForSeconds(settings.record)};
}

double barsToSeconds(double bars, double spt) {
    return std::trunc(spt * bars * SGTicksPerBar * 1000.0 / SGSampleRate) / 1000.0;
}

double barsToRecordSeconds(double bars, double spt) {
    return (std::trunc(spt * bars * SGTicksPerBar * 1000.0 / SGSampleRate) + 1.0) / 1000.0;
}

double secondsToBars(double seconds, double spt) {
    return std::trunc(seconds * SGSampleRate * 1000.0 / (spt * SGTicksPerBar)) / 1000.0;
}

void applyModeRule(VTExportSettings& settings, VTExportMode mode, double spt) {
    settings.mode = mode;
    const bool wantBars = vtModeCountsBars(mode);
    if (wantBars == settings.inBars) return;
    if (wantBars) {
        settings.preRoll = secondsToBars(settings.preRoll, spt);
        settings.record = secondsToBars(settings.record, spt);
    } else {
        settings.preRoll = barsToSeconds(settings.preRoll, spt);
        settings.record = barsToRecordSeconds(settings.record, spt);
    }
    settings.inBars = wantBars;
}

std::uint64_t raisedPreRoll(std::uint64_t frames) {
    if (frames == 0) return 0;
    return (frames / kChunkFrames) * kChunkFrames + kChunkFrames;
}

double clockStartTicks(std::uint64_t raisedPreRollFrames, double spt) {
    if (raisedPreRollFrames == 0) return 0.0;
    return kRecordStartTick - static_cast<double>(raisedPreRollFrames) / spt;
}

float progressStep(const Frames& frames) {
    return 1.0f / static_cast<float>((frames.preRoll + frames.record) / kChunkFrames + 1);
}

std::uint64_t requiredDiskBytes(std::uint64_t recordFrames) {
    return recordFrames * 4 + kHeaderAllowance;
}

}  // namespace VTExportLengths
