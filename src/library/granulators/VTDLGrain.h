#pragma once

#include <cstdint>

#include "dsp/SGDelayLine.h"
#include "signal/SGSignal.h"

// One grain of the delay-line granulator: a stretch of the delay line read back at its own rate
// under an attack-sustain-release envelope and panned into the two outlets.
struct VTDLGrain {
    enum State : std::int32_t { Waiting = 0, Attack = 1, Sustain = 2, Release = 3, Finished = 4 };

    const SGDelayLine* line = nullptr;
    double delay = 0.0;  // seconds
    float rate = 1.0f;
    std::int32_t onset = 0;  // samples to wait before sounding
    std::int32_t attack = 0;
    std::int32_t sustain = 0;
    std::int32_t release = 0;
    float slope = 0.0f;
    float envelope = 0.0f;
    float leftGain = 0.0f;
    float ratio = 0.0f;  // right gain / left gain
    std::int32_t state = Finished;

    // Splits a grain of d samples: the sustain takes the share attDec, the attack the share
    // skew of the rest, the release what remains; all whole samples.
    void setEnvelope(double d, double attDec, double skew);

    // Adds this block of the grain into left and right, reading through scratch; false once the
    // release has ended.
    bool render(SGSignal& scratch, SGSignal& left, SGSignal& right);
};
