#pragma once

#include <bit>
#include <cstdint>

#include "signal/SGSignal.h"

// Fixed first-order DC-blocking filter: y = a*x - a*x1 + b*y1 with a pole just inside the unit
// circle, so it removes offsets while passing everything audible.
struct SGDCBlocker {
    static constexpr float kA = std::bit_cast<float>(std::uint32_t{0x3f7ff4aa});  // 0.999827
    static constexpr float kB = std::bit_cast<float>(std::uint32_t{0x3f7fe964});  // 0.999655

    float x1 = 0.0f;
    float y1 = 0.0f;

    float step(float x) {
        float y = kA * x - kA * x1 + kB * y1;
        x1 = x;
        y1 = y;
        return y;
    }

    void processBlock(SGSignal& block) {
        float* d = block.samples();
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) d[i] = step(d[i]);
    }
};
