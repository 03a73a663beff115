#pragma once

#include <cstdint>

#include "signal/SGDCBlocker.h"
#include "signal/SGNoise.h"
#include "signal/SGSignal.h"

class SGDynSigPipe;

// Tames the outlet that closes a feedback cycle: a whisper of noise keeps the recirculating
// signal away from denormals, a DC blocker stops offsets from building up, and a gain stage
// pulls anything louder than 1.0 down over 50 ms, with a hard clip at 2.0.
class SGOutletLimiter {
public:
    enum State : int { Idle = 0, Attack = 1, Hold = 2, Release = 3 };

    SGOutletLimiter(SGDynSigPipe* pipe, std::int32_t outlet);

    // Noise, DC blocker and limiter pass, in place on the guarded block.
    void process(SGSignal& block);
    // The gain stage alone.
    void limit(SGSignal& block);

    SGDynSigPipe* pipe;
    std::int32_t outlet;

    float threshold = 1.0f;
    float ceiling = 2.0f;
    std::int32_t attackSamples = static_cast<std::int32_t>(SGSampleRate * 0.05);
    std::int32_t holdSamples = static_cast<std::int32_t>(SGSampleRate * 0.0);
    std::int32_t releaseSamples = static_cast<std::int32_t>(SGSampleRate * 0.05);
    State state = Idle;
    float gain = 1.0f;
    float gainStep = 0.0f;
    std::int32_t countdown = 0;
    SGDCBlocker dcBlocker;
    SGNoise noise;
};
