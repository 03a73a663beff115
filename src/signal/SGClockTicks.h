#pragma once

#include <cmath>
#include <cstdint>

#include "signal/SGConstants.h"
#include "signal/SGDynSigContext.h"

// The transport-clock ticks that fall inside one block, for tempo-synchronised processors, found
// from the clock as it stands at the block's first sample: the first tick is the position rounded
// up to a whole tick, at sample offset (tick - position) * samplesPerTick, and each further tick
// lies samplesPerTick later, for as long as the offset stays inside the block.
//
//   for (SGClockTicks ticks(position, samplesPerTick); ticks.pending(); ticks.next())
//       ... render up to ticks.sampleIndex(), then act on ticks.tick() ...
//
// or, reading the clock from the context (a stopped clock has no ticks):
//
//   SGClockTicks ticks(*context());
//   std::int64_t k; double offset;
//   while (ticks.next(k, offset)) startStepAt(sgTickInPattern(k, 96), offset);
//
// The clock advances by SGBlockSize / samplesPerTick each block, a step binary floating point
// rarely holds exactly. A tick that falls on a block boundary can then come out a hair before
// the end of one block and again a hair past the start of the next, or be missed by both.
// Positions within kSnapTicks of a whole tick therefore count as lying on it, and offsets within
// that distance of the block's end belong to the next block: a boundary tick is always handled
// once, at sample 0 of the later block.
class SGClockTicks {
public:
    static constexpr double kSnapTicks = 1e-6;
    // Below one sample per tick a single block would hold hundreds of ticks, and an offset step
    // too small to change the offset would never leave the block. No tempo of the transport
    // comes anywhere near; a clock that does (or is not a number) gives no ticks.
    static constexpr double kMinSamplesPerTick = 1.0;
    // Whole ticks up to here are exact in a double and in 64 bits.
    static constexpr double kMaxPosition = 4.0e15;

    SGClockTicks(double position, double samplesPerTick) : samplesPerTick_(samplesPerTick) {
        if (!(samplesPerTick >= kMinSamplesPerTick) || !std::isfinite(samplesPerTick) ||
            !(std::fabs(position) < kMaxPosition))
            return;
        const double first = std::ceil(position - kSnapTicks);
        tick_ = static_cast<std::int64_t>(first);
        offset_ = (first - position) * samplesPerTick;
        if (offset_ < 0.0) offset_ = 0.0;
        limit_ = SGBlockSize - kSnapTicks * samplesPerTick;
    }

    SGClockTicks(bool running, double position, double samplesPerTick)
        : SGClockTicks(position, running ? samplesPerTick : 0.0) {}

    explicit SGClockTicks(const SGDynSigContext& context)
        : SGClockTicks(context.isClockRunning(), context.clockPosition(), context.samplesPerTick()) {}

    bool pending() const { return offset_ < limit_; }
    std::int64_t tick() const { return tick_; }
    double offset() const { return offset_; }
    // The first sample at or after the tick: its offset with the fraction dropped.
    std::uint32_t sampleIndex() const { return static_cast<std::uint32_t>(offset_); }
    void next() {
        ++tick_;
        offset_ += samplesPerTick_;
    }

    // The next tick inside the block and its sample offset; false when there are no more.
    bool next(std::int64_t& tick, double& offset) {
        if (!pending()) return false;
        tick = tick_;
        offset = offset_;
        next();
        return true;
    }

private:
    double samplesPerTick_;
    std::int64_t tick_ = 0;
    double offset_ = 0.0;
    double limit_ = -1.0;  // no ticks until the clock is found usable
};

// A tick's place in a pattern of the given length, 0 ... length - 1, also for ticks before the
// start of the song (export pre-roll and an external start place the clock below zero).
inline std::int64_t sgTickInPattern(std::int64_t tick, std::int64_t length) {
    const std::int64_t r = tick % length;
    return r < 0 ? r + length : r;
}
