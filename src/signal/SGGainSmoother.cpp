#include "signal/SGGainSmoother.h"

#include <cmath>

float SGGainSmoother::poleForCutoff(double cutoffHz, float rate) {
    double w = 6.2831852 * cutoffHz / rate;
    double c = 2.0 - std::cos(w);
    return static_cast<float>(c - std::sqrt(c * c - 1.0));
}

SGGainSmoother::SGGainSmoother(double cutoffHz) : sampleRate(static_cast<float>(SGSampleRate)) {
    setPole(poleForCutoff(cutoffHz, sampleRate));
}

void SGGainSmoother::applyTo(const SGSignal& input, SGSignal& output) {
    const float* in = input.samples();
    float* out = output.samples();
    float g = current;
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        g = inputGain * target + pole * g;
        out[i] = g * in[i];
    }
    current = g;
    settle();
}

void SGGainSmoother::addTo(const SGSignal& input, SGSignal& output) {
    const float* in = input.samples();
    float* out = output.samples();
    float g = current;
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        g = inputGain * target + pole * g;
        out[i] = out[i] + g * in[i];
    }
    current = g;
    settle();
}
