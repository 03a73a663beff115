#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "params/SGSignalProcessor.h"
#include "signal/SGNoise.h"
#include "signal/SGSignal.h"

// Helpers for driving one processor by hand, outside any signal context: inputs are long sample
// vectors fed block by block through the inlets, outputs are gathered the same way.
namespace effect_kit {

// Takes the dither out, so that results can be compared exactly.
inline void silence(SGNoise& dither) {
    dither.offset = 0.0;
    dither.scale = 0.0;
}

// A unit impulse at sample 0 followed by silence.
inline std::vector<float> impulse(std::size_t samples) {
    std::vector<float> v(samples, 0.0f);
    v[0] = 1.0f;
    return v;
}

inline std::vector<float> sine(double hertz, std::size_t samples, float amplitude = 1.0f) {
    std::vector<float> v(samples);
    for (std::size_t n = 0; n < samples; ++n)
        v[n] = amplitude *
               static_cast<float>(std::sin(2.0 * std::numbers::pi * hertz * n / SGSampleRate));
    return v;
}

// Whole blocks of samples covering at least the given time.
inline std::size_t blocksFor(double seconds) {
    return static_cast<std::size_t>(std::ceil(seconds * SGSampleRate / SGBlockSize));
}

// Runs the processor over the inputs (one vector per inlet, all of the same length, a multiple
// of the block size) and gives every outlet's samples. An empty input leaves that inlet
// unconnected, reading the shared zero block.
template <class Processor>
std::vector<std::vector<float>> run(Processor& p, const std::vector<std::vector<float>>& inputs,
                                    std::size_t samples) {
    std::vector<SGSignal> blocks(inputs.size());
    std::vector<std::vector<float>> out(static_cast<std::size_t>(p.outletCount()));
    for (std::size_t start = 0; start < samples; start += SGBlockSize) {
        for (std::size_t k = 0; k < inputs.size(); ++k) {
            if (inputs[k].empty()) continue;
            for (std::uint32_t i = 0; i < SGBlockSize; ++i) blocks[k][i] = inputs[k][start + i];
            p.inlet(static_cast<int>(k)).signal = &blocks[k];
        }
        p.process();
        for (std::size_t j = 0; j < out.size(); ++j)
            for (std::uint32_t i = 0; i < SGBlockSize; ++i)
                out[j].push_back(p.outletSignal(static_cast<int>(j))[i]);
    }
    for (std::size_t k = 0; k < inputs.size(); ++k)
        p.inlet(static_cast<int>(k)).signal = &SGZeroSignal;
    return out;
}

// Root mean square of v[from, to).
inline double rms(const std::vector<float>& v, std::size_t from, std::size_t to) {
    double sum = 0.0;
    for (std::size_t n = from; n < to; ++n) sum += static_cast<double>(v[n]) * v[n];
    return std::sqrt(sum / static_cast<double>(to - from));
}

inline double decibels(double ratio) { return 20.0 * std::log10(ratio); }

}  // namespace effect_kit
