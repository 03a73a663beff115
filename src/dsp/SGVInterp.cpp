#include "dsp/SGVInterp.h"

#include <algorithm>

void SGVInterp::setTarget(double value, std::int32_t steps) {
    if (remaining_ < 0 || steps <= 0) {
        remaining_ = 0;
        current_ = value;
        increment_ = 0.0;
        return;
    }
    remaining_ = steps;
    increment_ = (value - current_) / steps;
}

void SGVInterp::rampInto(double* gains, std::uint32_t count) {
    // The ramp itself is a running sum and must be taken step by step to keep its rounding;
    // the block loops around it then vectorise.
    double c = current_;
    for (std::uint32_t i = 0; i < count; ++i) {
        c = c + increment_;
        gains[i] = c;
    }
    current_ = c;
    remaining_ -= static_cast<std::int32_t>(count);
}

void SGVInterp::applyTo(const SGSignal& in, SGSignal& out) {
    const float* s = in.samples();
    float* d = out.samples();
    const std::uint32_t ramped =
        remaining_ > 0 ? std::min(static_cast<std::uint32_t>(remaining_), SGBlockSize) : 0;
    double gains[SGBlockSize];
    rampInto(gains, ramped);
    for (std::uint32_t i = 0; i < ramped; ++i) d[i] = static_cast<float>(s[i] * gains[i]);
    const double g = current_;
    for (std::uint32_t i = ramped; i < SGBlockSize; ++i) d[i] = static_cast<float>(s[i] * g);
}

void SGVInterp::addTo(const SGSignal& in, SGSignal& out) {
    const float* s = in.samples();
    float* d = out.samples();
    const std::uint32_t ramped =
        remaining_ > 0 ? std::min(static_cast<std::uint32_t>(remaining_), SGBlockSize) : 0;
    double gains[SGBlockSize];
    rampInto(gains, ramped);
    for (std::uint32_t i = 0; i < ramped; ++i) d[i] = static_cast<float>(d[i] + s[i] * gains[i]);
    const double g = current_;
    for (std::uint32_t i = ramped; i < SGBlockSize; ++i) d[i] = static_cast<float>(d[i] + s[i] * g);
}

void SGVInterp::advanceBlock() {
    // Nothing to do before the first target (remaining -1) or once the ramp has arrived.
    if (remaining_ <= 0) return;
    const std::int32_t k = std::min(remaining_, static_cast<std::int32_t>(SGBlockSize));
    current_ = current_ + k * increment_;
    remaining_ = remaining_ - k;
}
