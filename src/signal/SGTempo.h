#pragma once

#include <cmath>
#include <cstdint>

#include "signal/SGConstants.h"

// The transport clock counts ticks, 24 to the beat (a quarter note), 96 to a 4/4 bar. Its speed
// is kept as samples per tick; the tempo in beats per minute is derived from it at the fixed
// sample rate, and converting back gives the same figure.
inline constexpr double SGTicksPerBeat = 24.0;
inline constexpr double SGTicksPerBar = 96.0;

inline double sgTempoFromSamplesPerTick(double samplesPerTick) {
    return SGSampleRate / samplesPerTick * 60.0 / SGTicksPerBeat;
}

inline double sgSamplesPerTickFromTempo(double bpm) {
    return SGSampleRate / (bpm / 60.0 * SGTicksPerBeat);
}

// A tempo the clock can run at: positive and finite, so samples per tick is too.
inline bool sgIsUsableTempo(double bpm) { return std::isfinite(bpm) && bpm > 0.0; }

// The bar a position lies in, counted from 0.
inline std::int64_t sgBarNumber(double ticks) {
    return static_cast<std::int64_t>(std::trunc(ticks / SGTicksPerBar));
}

// The beat within its bar, 1 ... 4 (positions before the start count backwards the same way).
inline int sgBeatInBar(double ticks) {
    const auto beat = static_cast<std::int64_t>(std::trunc(ticks / SGTicksPerBeat));
    return static_cast<int>(((beat % 4) + 4) % 4) + 1;
}
