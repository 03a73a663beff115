#pragma once

#include <cmath>
#include <cstdint>

// The program's millisecond time base: milliseconds since the program started, as a 32-bit
// count that wraps after about 49 days. MIDI time stamps, buffer play times and the meter
// snapshots all meet on this scale, so differences must be taken with kdTimeDifference.
std::uint32_t kdTimeGetTime();
// The same moment with the fractions of a millisecond, for plans that need to be smooth (the
// clock chase); whole milliseconds of it equal kdTimeGetTime() until the count wraps.
double kdTimeNowMs();

// a - b in milliseconds, correct across one wrap of the 32-bit count.
inline std::int32_t kdTimeDifference(std::uint32_t a, std::uint32_t b) {
    return static_cast<std::int32_t>(a - b);
}

// The same for times kept as real milliseconds on the time base (0 ... 2^32).
inline double kdTimeDifferenceMs(double a, double b) {
    constexpr double wrap = 4294967296.0;
    double d = std::fmod(a - b, wrap);
    if (d >= wrap / 2) {
        d -= wrap;
    } else if (d < -wrap / 2) {
        d += wrap;
    }
    return d;
}
