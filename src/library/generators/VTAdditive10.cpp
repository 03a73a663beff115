#include "library/generators/VTAdditive10.h"

#include <cmath>
#include <string>

#include "params/SGPropertyUnits.h"

namespace {

// Two harmonics' values side by side, in double precision, for the phasor steps.
typedef double Pair __attribute__((vector_size(16)));
typedef float FloatPair __attribute__((vector_size(8)));
constexpr int kPairs = VTAdditive10::kHarmonics / 2;
static_assert(VTAdditive10::kHarmonics % 2 == 0);

// Rounds both values to single precision and widens them again, as storing a float does.
inline Pair roundToFloat(Pair v) {
    return __builtin_convertvector(__builtin_convertvector(v, FloatPair), Pair);
}

}  // namespace

VTAdditive10::VTAdditive10() : SGSignalProcessor(0, 1) {
    amps[0].setValue(1.0);
    smoother_.sampleRate = static_cast<float>(SGSampleRate / SGBlockSize);
    smoother_.setPole(SGGainSmoother::poleForCutoff(5.0, smoother_.sampleRate));
    smoother_.current = 100.0f;
    smoother_.target = 100.0f;
    x_.fill(1.0f);
    setFundamental(100.0f);
}

SGPropertyTable& VTAdditive10::propertyTable() {
    static SGStaticPropertyTable::ClassInfo info;
    info.buildOnce([this](auto& add) {
        add(table_, frequency, "Frequency", SGFrequencyUnits::instance(), 20.0, 2000.0);
        add(table_, gain, "Gain", SGGainUnits::instance(), 0.0, 1.0);
        for (int k = 0; k < kHarmonics; ++k)
            add(table_, amps[k], "Amp_" + std::to_string(k), SGAbstractUnits::instance(), 0.0, 1.0);
    });
    return table_.bind(info);
}

void VTAdditive10::setFundamental(float f) {
    // Only the rotation per sample changes; the phasors keep their phase.
    for (int k = 0; k < kHarmonics; ++k) {
        const float fk = f + f * static_cast<float>(k);
        const float w = static_cast<float>(6.283185 * fk / SGSampleRate);
        sin_[k] = static_cast<float>(std::sin(static_cast<double>(w)));
        cos_[k] = static_cast<float>(std::cos(static_cast<double>(w)));
    }
}

void VTAdditive10::process() {
    if (frequency.testAndClearChanged()) smoother_.setTarget(frequency.value());
    smoother_.current = smoother_.inputGain * smoother_.target + smoother_.pole * smoother_.current;
    setFundamental(smoother_.current);

    double g[kHarmonics];
    const double level = gain.value();
    for (int k = 0; k < kHarmonics; ++k) g[k] = amps[k].value() * 0.5 * level;

    // Each harmonic's phasor is a running recursion. Stepping the ten side by side, two to a
    // vector, lets the chains overlap instead of waiting on one another; every harmonic still
    // adds into the sample in harmonic order, so the sums are the same as one harmonic after
    // the other. Each new coordinate is rounded to single precision once, from the exact
    // products (a float times a float is exact in double); the phasors are never renormalised.
    Pair s[kPairs], c[kPairs], x[kPairs], y[kPairs];
    for (int j = 0; j < kPairs; ++j) {
        s[j] = Pair{sin_[2 * j], sin_[2 * j + 1]};
        c[j] = Pair{cos_[2 * j], cos_[2 * j + 1]};
        x[j] = Pair{x_[2 * j], x_[2 * j + 1]};
        y[j] = Pair{y_[2 * j], y_[2 * j + 1]};
    }
    float* out = outletSignal(0).samples();
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        double yNext[kHarmonics];
        for (int j = 0; j < kPairs; ++j) {
            const Pair yn = roundToFloat(s[j] * x[j] + c[j] * y[j]);
            x[j] = roundToFloat(c[j] * x[j] - s[j] * y[j]);
            y[j] = yn;
            yNext[2 * j] = yn[0];
            yNext[2 * j + 1] = yn[1];
        }
        float sum = static_cast<float>(yNext[0] * g[0]);
        for (int k = 1; k < kHarmonics; ++k) sum = static_cast<float>(sum + yNext[k] * g[k]);
        out[i] = sum;
    }
    for (int j = 0; j < kPairs; ++j) {
        x_[2 * j] = static_cast<float>(x[j][0]);
        x_[2 * j + 1] = static_cast<float>(x[j][1]);
        y_[2 * j] = static_cast<float>(y[j][0]);
        y_[2 * j + 1] = static_cast<float>(y[j][1]);
    }
}
