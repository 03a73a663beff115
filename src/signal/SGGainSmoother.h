#pragma once

#include "signal/SGSignal.h"

// One-pole smoother for a gain, so that a change of a gain parameter fades in over a few
// milliseconds instead of clicking. The pole comes from a cutoff in hertz.
struct SGGainSmoother {
    float sampleRate;
    float current = 0.0f;
    float target = 0.0f;
    float pole;
    float inputGain;

    explicit SGGainSmoother(double cutoffHz);

    // The pole of a one-pole low-pass at the given cutoff, as every smoother of the program
    // computes it (also used by processors that keep their own smoothing state).
    static float poleForCutoff(double cutoffHz, float sampleRate);

    void setPole(float p) {
        pole = p;
        inputGain = 1.0f - p;
    }

    void setTarget(double value) { target = static_cast<float>(value); }

    // output[i] = smoothed gain * input[i]; input and output may be the same block.
    void applyTo(const SGSignal& input, SGSignal& output);
    // output[i] += smoothed gain * input[i].
    void addTo(const SGSignal& input, SGSignal& output);

private:
    void settle() {
        // A faded-out gain settles at exact silence instead of sinking into denormals.
        if (current < 1e-7f && current > -1e-8f) current = 0.0f;
    }
};
