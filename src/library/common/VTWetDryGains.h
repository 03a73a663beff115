#pragma once

#include <cmath>

// The equal-power crossfade between an effect's output (wet) and its input (dry). A mix of 0
// gives the input alone (times 0.99985), 1 the effect alone, 0.5 both at about -3 dB.
struct VTWetDryGains {
    float wet = 1.0f;
    float dry = 0.0f;

    void setMix(double mix) {
        const float theta = static_cast<float>(mix) * 1.5708f - 0.785398f;
        const float c = std::cos(theta);
        const float s = std::sin(theta);
        wet = (c + s) * 0.707f;
        dry = (c - s) * 0.707f;
    }

    // out[i] = out[i] * wet + in[i] * dry.
    void mixInto(float* out, const float* in, unsigned count) const {
        const float w = wet;
        const float d = dry;
        for (unsigned i = 0; i < count; ++i) out[i] = out[i] * w + in[i] * d;
    }
};
