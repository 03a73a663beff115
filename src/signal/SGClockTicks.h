#pragma once

#include <cmath>
#include <cstdint>

#include "signal/SGConstants.h"
#include "signal/SGDynSigContext.h"

// The clock ticks that fall inside one block, for tempo-synchronised processors. Read the clock
// once at the start of the block (construct from the context), then take the ticks in order:
//
//   SGClockTicks ticks(*context());
//   std::int64_t k; double offset;
//   while (ticks.next(k, offset)) startStepAt(sgTickInPattern(k, 96), offset);
//
// The first tick is the position itself when it is whole, otherwise the next whole number above
// it; its offset is (tick - position) * samplesPerTick samples into the block, and each further
// tick lies samplesPerTick later, as long as the offset stays below the block size. A stopped
// clock, or a speed that is not positive and finite, has no ticks.
class SGClockTicks {
public:
    SGClockTicks(bool running, double position, double samplesPerTick) {
        if (!running || !std::isfinite(position) || !std::isfinite(samplesPerTick) ||
            samplesPerTick <= 0.0) {
            return;
        }
        const double first = std::ceil(position);
        // Positions beyond 2^53 ticks (millions of years of music) have no whole ticks left.
        if (std::fabs(first) > 9.0e15) return;
        tick_ = static_cast<std::int64_t>(first);
        offset_ = (first - position) * samplesPerTick;
        step_ = samplesPerTick;
        active_ = true;
    }

    explicit SGClockTicks(const SGDynSigContext& context)
        : SGClockTicks(context.isClockRunning(), context.clockPosition(),
                       context.samplesPerTick()) {}

    // The next tick inside the block and its sample offset; false when there are no more.
    bool next(std::int64_t& tick, double& offset) {
        if (!active_ || offset_ >= static_cast<double>(SGBlockSize)) return false;
        tick = tick_;
        offset = offset_;
        ++tick_;
        offset_ += step_;
        return true;
    }

private:
    bool active_ = false;
    std::int64_t tick_ = 0;
    double offset_ = 0.0;
    double step_ = 0.0;
};

// A tick's place in a pattern of the given length, 0 ... length - 1, also for ticks before the
// start of the song (export pre-roll and an external start place the clock below zero).
inline std::int64_t sgTickInPattern(std::int64_t tick, std::int64_t length) {
    const std::int64_t r = tick % length;
    return r < 0 ? r + length : r;
}
