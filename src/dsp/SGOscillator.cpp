#include "dsp/SGOscillator.h"

#include <cmath>

namespace {

// Beyond this many periods the phase is brought back by a remainder instead of by repeated
// subtraction, so that an absurd increment cannot stall the audio thread.
constexpr double kSubtractedPeriods = 64.0;

// Brings value down into (0, period] the way repeated subtraction of period does, for value >
// period > 0.
double wrapDown(double value, double period) {
    if (value <= kSubtractedPeriods * period) {
        while (value > period) value -= period;
        return value;
    }
    if (!std::isfinite(value)) return 0.0;
    const double r = std::fmod(value, period);
    return r > 0.0 ? r : period;
}

}  // namespace

void SGOscillator::wrap() {
    const double n = table_->size();
    phase_ = n > 0.0 ? wrapDown(phase_, n) : 0.0;
}

void SGOscillator::setPhase(double cycles) {
    // Cycles are never negative; a negative or not-a-number start is taken as 0.
    if (!(cycles > 0.0)) cycles = 0.0;
    if (cycles > 1.0) cycles = wrapDown(cycles, 1.0);
    phase_ = cycles * table_->size();
}

void SGOscillator::tickBlock(float* out, std::uint32_t n) {
    constexpr std::uint32_t kChunk = 256;
    float positions[kChunk];
    const double size = table_->size();
    while (n > 0) {
        const std::uint32_t m = n < kChunk ? n : kChunk;
        // The phase lives in a register through the loop; it goes back to the member only
        // for the rare wrap.
        double phase = phase_;
        const double increment = increment_;
        for (std::uint32_t i = 0; i < m; ++i) {
            positions[i] = static_cast<float>(phase);
            phase += increment;
            if (phase > size) {
                phase_ = phase;
                wrap();
                phase = phase_;
            }
        }
        phase_ = phase;
        SGInterpLookupBlock(table_->data(), positions, out, m);
        out += m;
        n -= m;
    }
}
