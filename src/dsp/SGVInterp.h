#pragma once

#include <cstdint>

#include "signal/SGSignal.h"

// A value ramp: each new target is approached in equal steps, one per sample, so a gain that
// changes once a block glides across the block instead of jumping. The first target ever given
// takes effect at once.
class SGVInterp {
public:
    // Every user passes SGBlockSize steps, so the ramp arrives at the last sample of the next
    // block. A step count of 0 or less jumps to the value at once.
    void setTarget(double value, std::int32_t steps);

    // Takes one step (if any remain) and gives the present value.
    double next() {
        if (remaining_ > 0) {
            current_ = current_ + increment_;
            remaining_ = remaining_ - 1;
        }
        return current_;
    }

    // out[i] = in[i] * next() for every sample of the block; in and out may be the same block.
    void applyTo(const SGSignal& in, SGSignal& out);
    // out[i] += in[i] * next() for every sample of the block.
    void addTo(const SGSignal& in, SGSignal& out);
    // Takes a whole block of steps at once, for users that apply the value once a block.
    void advanceBlock();

    double current() const { return current_; }
    double increment() const { return increment_; }
    // Steps still to take; -1 until the first target is given.
    std::int32_t remaining() const { return remaining_; }

private:
    // Fills gains[0 .. count) with the next count values (count <= SGBlockSize).
    void rampInto(double* gains, std::uint32_t count);

    std::int32_t remaining_ = -1;
    double current_ = 0.0;
    double increment_ = 0.0;
};
