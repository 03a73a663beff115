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

void VTMatrixMixer::runConnection(const SGSignal& in, int index, SGSignal& out, bool first) {
    float g = gains_[index];
    const bool on = gates[index].value();
    if (!on && g == 0.0f) {
        // A closed, settled connection costs nothing.
        if (first) out.fill(0.0f);
        return;
    }
    const float target = inputGain_ * (on ? 1.0f : 0.0f);
    const bool connected = isConnectedInlet(in);
    float* d = out.samples();
    const float* x = in.samples();
    if (target + pole_ * g == g) {
        // The gain has reached its fixed point: every step of the block gives it again, so the
        // products run with one constant.
        if (!connected) {
            if (first) out.fill(0.0f);
        } else if (first) {
            for (std::uint32_t i = 0; i < SGBlockSize; ++i) d[i] = g * x[i];
        } else {
            for (std::uint32_t i = 0; i < SGBlockSize; ++i) d[i] = d[i] + g * x[i];
        }
    } else {
        // The glide is a running recursion and is taken step by step; the products after it
        // vectorise. An unconnected inlet only moves its gain.
        float ramp[SGBlockSize];
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
            g = target + pole_ * g;
            ramp[i] = g;
        }
        if (!connected) {
            if (first) out.fill(0.0f);
        } else if (first) {
            for (std::uint32_t i = 0; i < SGBlockSize; ++i) d[i] = ramp[i] * x[i];
        } else {
            for (std::uint32_t i = 0; i < SGBlockSize; ++i) d[i] = d[i] + ramp[i] * x[i];
        }
    }
    // A faded-out connection settles at exact silence instead of sinking into denormals.
    if (g > -1e-8f && g < 1e-7f) g = 0.0f;
    gains_[index] = g;
}

void VTMatrixMixer::process() {
    if (fadeTime.testAndClearChanged()) updateCoefficients();
    for (int o = 0; o < size_; ++o) {
        SGSignal& out = outletSignal(o);
        for (int i = 0; i < size_; ++i) runConnection(inletSignal(i), i * size_ + o, out, i == 0);
    }
}
