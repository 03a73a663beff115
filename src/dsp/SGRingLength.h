#pragma once

#include <cmath>
#include <cstdint>

#include "signal/SGConstants.h"

// The longest delay any ring of the signal library is built for. It keeps every slot index (and,
// for the combs, every slot count as a float) exact; no owner comes near it.
inline constexpr double SGMaxRingSeconds = 300.0;

// Slot count of a ring that holds maxDelaySeconds and grows by whole blocks: the samples of the
// delay rounded down to a whole number of blocks, plus extraBlocks blocks. A negative or
// not-a-number delay counts as 0, a larger one than SGMaxRingSeconds as SGMaxRingSeconds.
inline std::uint32_t SGRingLength(double maxDelaySeconds, std::uint32_t extraBlocks) {
    double seconds = maxDelaySeconds > 0.0 ? maxDelaySeconds : 0.0;
    if (seconds > SGMaxRingSeconds) seconds = SGMaxRingSeconds;
    const auto samples = static_cast<std::uint32_t>(std::trunc(seconds * SGSampleRate));
    return (samples / SGBlockSize) * SGBlockSize + extraBlocks * SGBlockSize;
}
