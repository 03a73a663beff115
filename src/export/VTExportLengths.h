#pragma once

#include <cstdint>

#include "export/VTExportSettings.h"

// The arithmetic of an export, kept apart from the run so that the dialog shows exactly what
// the export will do. spt is the tempo clock's samples per tick; a bar is 96 ticks.
namespace VTExportLengths {

// Frames are rendered, and progress is counted, in chunks of 512 blocks.
inline constexpr std::uint64_t kChunkFrames = 131072;
// The clock reaches this tick (bar 80) just as recording starts after a pre-roll, so the
// pre-roll runs at positive positions and patterns line up with the first recorded frame.
inline constexpr double kRecordStartTick = 7680.0;
// What the file holds besides its samples, at most, for the disk-space check.
inline constexpr std::uint64_t kHeaderAllowance = 2048;
// The most frames a 16-bit stereo data chunk can count in its 32-bit size field.
inline constexpr std::uint64_t kMaxFileFrames = (0xFFFFFFFFull - 36u) / 4u;

struct Frames {
    std::uint64_t preRoll = 0;
    std::uint64_t record = 0;
};

// Lengths to frames, truncated toward zero: trunc(spt x bars x 96) or trunc(seconds x 44100).
std::uint64_t framesForBars(double bars, double spt);
std::uint64_t framesForSeconds(double seconds);
Frames framesFor(const VTExportSettings& settings, double spt);

// The unit changes the dialog makes when the mode changes between bars and seconds. A recorded
// length is given one millisecond more, so that the last tick of the last bar is inside it.
double barsToSeconds(double bars, double spt);
double barsToRecordSeconds(double bars, double spt);
double secondsToBars(double seconds, double spt);
// Selects `mode` and converts both lengths when the unit changes.
void applyModeRule(VTExportSettings& settings, VTExportMode mode, double spt);

// A pre-roll is run in whole chunks, always more than asked: (frames div chunk + 1) chunks.
std::uint64_t raisedPreRoll(std::uint64_t frames);
// Where the clock starts for a raised pre-roll: tick 0 without one.
double clockStartTicks(std::uint64_t raisedPreRollFrames, double spt);
// The progress added after each chunk, from the lengths before the pre-roll is raised.
float progressStep(const Frames& frames);
// Bytes the file needs on disk.
std::uint64_t requiredDiskBytes(std::uint64_t recordFrames);

}  // namespace VTExportLengths
