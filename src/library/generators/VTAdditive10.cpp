#include "library/generators/VTAdditive10.h"

#include <cmath>
#include <string>

#include "params/SGPropertyUnits.h"

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

    const double level = gain.value();
    float* out = outletSignal(0).samples();
    for (int k = 0; k < kHarmonics; ++k) {
        // Each new coordinate is rounded to single precision once, from the exact products;
        // the phasors are never renormalised.
        const double g = amps[k].value() * 0.5 * level;
        const double s = sin_[k];
        const double c = cos_[k];
        float x = x_[k];
        float y = y_[k];
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
            const float yNext = static_cast<float>(s * x + c * y);
            x = static_cast<float>(c * x - s * y);
            y = yNext;
            out[i] =
                k == 0 ? static_cast<float>(yNext * g) : static_cast<float>(out[i] + yNext * g);
        }
        x_[k] = x;
        y_[k] = y;
    }
}
