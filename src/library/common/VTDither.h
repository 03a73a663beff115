#pragma once

#include "signal/SGNoise.h"

// The faint noise that many processors add to their input before it enters a recursive filter:
// about one 32-bit-float step either side of zero, so that a silent input never lets the
// filters' states decay into denormal numbers. Seeded from the calendar clock.
inline void vtSetUpDither(SGNoise& noise) {
    noise.seedFromClock();
    noise.offset = -3.0517578125e-08;
    noise.scale = 6.103515625e-08;
}
