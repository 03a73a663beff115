#pragma once

#include <cmath>
#include <cstdint>

// The plain, one-value-at-a-time definitions of the results of libsgopt's routines, written for
// clarity rather than speed. The test suite checks the library against them and the benchmarks
// measure the library against them; nothing in the program calls them.
namespace sgopt_reference {

inline float interpLookup(const float* table, float position) {
    if (!(position > 0.0f)) position = 0.0f;
    const std::int32_t i = static_cast<std::int32_t>(position);
    const float fraction = position - static_cast<float>(i);
    if (fraction == 0.0f) return table[i];
    return table[i] + (table[i + 1] - table[i]) * fraction;
}

inline std::int32_t truncate(float x) {
    if (std::isnan(x)) return 0;
    if (x >= 2147483648.0f) return INT32_MAX;
    if (x <= -2147483648.0f) return INT32_MIN;
    return static_cast<std::int32_t>(x);
}

}  // namespace sgopt_reference
