#include "library/generators/VTTestSignalGenerator.h"

#include <cmath>

#include "params/SGPropertyUnits.h"

namespace {

// The phase step of one sample at the given frequency, in single precision.
float phaseStep(double hertz) { return static_cast<float>(hertz * 6.283185 / SGSampleRate); }

}  // namespace

VTTestSignalGenerator::VTTestSignalGenerator() : SGSignalProcessor(0, 1) {
    setFrequency(440.0);
    noise_.seedFromClock();
    noise_.setRange(-1.0, 1.0);
}

SGPropertyTable& VTTestSignalGenerator::propertyTable() {
    static SGStaticPropertyTable::ClassInfo info;
    info.buildOnce([this](auto& add) {
        add(table_, amplitude, "Amplitude", SGGainUnits::instance(), 0.0, 1.0);
        add(table_, frequency, "Frequency", SGFrequencyUnits::instance(), 10.0, 20000.0);
        add(table_, waveform, "Waveform", SGAbstractUnits::instance(), 0.0, 0.0);
    });
    return table_.bind(info);
}

void VTTestSignalGenerator::setFrequency(double hertz) {
    float w = phaseStep(hertz);
    sinStep_ = static_cast<float>(std::sin(static_cast<double>(w)));
    cosStep_ = static_cast<float>(std::cos(static_cast<double>(w)));
}

void VTTestSignalGenerator::renderSine(SGSignal& out) {
    // A rotating phasor: each sample turns (x, y) by the step, so a new frequency takes over
    // without a phase jump. It is never renormalised. Each new coordinate is rounded to single
    // precision once, from the exact products.
    const double s = sinStep_;
    const double c = cosStep_;
    float x = x_;
    float y = y_;
    float* d = out.samples();
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        float yNext = static_cast<float>(s * x + c * y);
        x = static_cast<float>(c * x - s * y);
        y = yNext;
        d[i] = yNext;
    }
    x_ = x;
    y_ = y;
}

void VTTestSignalGenerator::process() {
    SGSignal& out = outletSignal(0);
    if (waveform.value() == kSine) {
        // Consumed only while the sine runs: a frequency set during noise takes effect when the
        // sine comes back.
        if (frequency.testAndClearChanged()) setFrequency(frequency.value());
        renderSine(out);
    } else {
        noise_.fillBlock(out);
    }
    if (amplitude.testAndClearChanged()) gain_.setTarget(amplitude.value());
    gain_.applyTo(out, out);
}
