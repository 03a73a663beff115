#include "library/matrices/VTMatrixMixer.h"

#include <cmath>

#include "library/VTInlets.h"
#include "params/SGPropertyUnits.h"

namespace {

constexpr double kPi = 3.1415926;

}  // namespace

VTMatrixMixer::VTMatrixMixer(int size) : SGSignalProcessor(size, size), size_(size) {}

SGPropertyTable& VTMatrixMixer::bindTable(SGStaticPropertyTable::ClassInfo& info) {
    info.buildOnce([this](auto& add) {
        add(table_, fadeTime, "FadeTime", SGTimeMillisecondsUnits::instance(), 0.0, 100000.0);
        for (int i = 0; i < size_; ++i)
            for (int o = 0; o < size_; ++o)
                add(table_, gate(i, o), "Gate" + std::to_string(i) + "_" + std::to_string(o),
                    SGAbstractUnits::instance(), 0.0, 0.0);
    });
    return table_.bind(info);
}

void VTMatrixMixer::updateCoefficients() {
    const double fc = 1.0 / (fadeTime.value() * 0.001);
    const double w = fc * 2.0 * kPi / SGSampleRate;
    // A fade shorter than two samples cannot be followed: at 0 the formula divides by zero, and
    // near one sample the pole comes back to 1 and the gates would never move. Such fades switch
    // at once.
    if (!(w > 0.0 && w < kPi)) {
        pole_ = 0.0f;
        inputGain_ = 1.0f;
        return;
    }
    const double c = 2.0 - std::cos(w);
    pole_ = static_cast<float>(c - std::sqrt(c * c - 1.0));
    inputGain_ = 1.0f - pole_;
}

void VTMatrixMixer::mixOutlet(int o) {
    // Sort the outlet's connections: closed and silent ones do nothing, settled ones (the next
    // step gives the same gain) keep one gain for the whole block, and the rest glide.
    enum State { Silent, Settled, Gliding };
    State state[kMaxSize];
    int glide[kMaxSize];  // the slot of each gliding connection in the ramp buffer
    float g[kMaxSize], target[kMaxSize];
    int gliding = 0;
    for (int i = 0; i < size_; ++i) {
        const int index = i * size_ + o;
        const bool on = gates[index].value();
        const float gain = gains_[index];
        const float t = inputGain_ * (on ? 1.0f : 0.0f);
        if (!on && gain == 0.0f) {
            state[i] = Silent;
        } else if (t + pole_ * gain == gain) {
            state[i] = Settled;
        } else {
            state[i] = Gliding;
            glide[i] = gliding;
            g[gliding] = gain;
            target[gliding] = t;
            ++gliding;
        }
    }

    // Each glide is a running recursion, taken step by step; taking the outlet's glides side
    // by side lets their steps overlap instead of waiting on one another.
    for (std::uint32_t s = 0; s < SGBlockSize; ++s) {
        for (int j = 0; j < gliding; ++j) {
            g[j] = target[j] + pole_ * g[j];
            ramps_[static_cast<std::size_t>(j) * SGBlockSize + s] = g[j];
        }
    }

    SGSignal& out = outletSignal(o);
    for (int i = 0; i < size_; ++i) {
        const int index = i * size_ + o;
        const bool first = i == 0;
        if (state[i] == Silent) {
            if (first) out.fill(0.0f);
            continue;
        }
        const SGSignal& in = inletSignal(i);
        float gain = gains_[index];
        if (state[i] == Settled)
            addConstant(in, gain, out, first);
        else
            addRamp(in, &ramps_[static_cast<std::size_t>(glide[i]) * SGBlockSize], out, first);
        if (state[i] == Gliding) gain = g[glide[i]];
        // A faded-out connection settles at exact silence instead of sinking into denormals.
        if (gain > -1e-8f && gain < 1e-7f) gain = 0.0f;
        gains_[index] = gain;
    }
}

void VTMatrixMixer::addConstant(const SGSignal& in, float gain, SGSignal& out, bool first) {
    // An unconnected inlet adds nothing; assigned, it gives silence.
    float* d = out.samples();
    const float* x = in.samples();
    if (!isConnectedInlet(in)) {
        if (first) out.fill(0.0f);
    } else if (first) {
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) d[i] = gain * x[i];
    } else {
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) d[i] = d[i] + gain * x[i];
    }
}

void VTMatrixMixer::addRamp(const SGSignal& in, const float* ramp, SGSignal& out, bool first) {
    float* d = out.samples();
    const float* x = in.samples();
    if (!isConnectedInlet(in)) {
        if (first) out.fill(0.0f);
    } else if (first) {
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) d[i] = ramp[i] * x[i];
    } else {
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) d[i] = d[i] + ramp[i] * x[i];
    }
}

void VTMatrixMixer::process() {
    if (fadeTime.testAndClearChanged()) updateCoefficients();
    for (int o = 0; o < size_; ++o) mixOutlet(o);
}
