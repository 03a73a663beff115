#pragma once

#include <cstdint>
#include <ctime>

#include "signal/SGSignal.h"

// Linear congruential white noise (seed * 1103515245 + 12345). Values are the top 15 bits of
// the state before it steps, scaled into [offset, offset + scale * 32767/32768].
struct SGNoise {
    std::int32_t seed = 0x5ff70000;
    double offset = 0.0;
    double scale = 1.0;

    void seedFromClock() {
        auto t = static_cast<std::uint32_t>(std::time(nullptr));
        seed = static_cast<std::int32_t>((t & 0x7fffu) << 16);
    }

    void setRange(double lo, double hi) {
        offset = lo;
        scale = hi - lo;
    }

    double next() {
        double v = ((seed >> 16) & 0x7fff) * (1.0 / 32768.0) * scale + offset;
        seed = static_cast<std::int32_t>(static_cast<std::uint32_t>(seed) * 1103515245u + 12345u);
        return v;
    }

    void fillBlock(SGSignal& block) {
        float* d = block.samples();
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) d[i] = static_cast<float>(next());
    }

    void addToBlock(SGSignal& block) {
        float* d = block.samples();
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) d[i] = d[i] + static_cast<float>(next());
    }
};
