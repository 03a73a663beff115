#include "library/effects/VTRingAM.h"

#include "library/VTInlets.h"
#include "params/SGPropertyUnits.h"

VTRingAM::VTRingAM() : SGSignalProcessor(2, 1) {
    sine_.addHarmonic(1.0f, 1.0f, 0.0f, 0.0f);
    oscillator_.setIncrement(1.0);
    // Dither of about one step of 24-bit audio, centred on zero.
    dither_.seedFromClock();
    dither_.offset = -3.0517578125e-08;
    dither_.scale = 6.103515625e-08;
}

SGPropertyTable& VTRingAM::propertyTable() {
    static SGStaticPropertyTable::ClassInfo info;
    info.buildOnce([this](auto& add) {
        add(table_, frequency, "Frequency", SGFrequencyUnits::instance(), 20.0, 1500.0);
        add(table_, am, "AM", SGAbstractUnits::instance(), 0.0, 0.0);
    });
    return table_.bind(info);
}

void VTRingAM::condition(const SGSignal& input, SGSignal& into, SGDCBlocker& blocker) {
    dither_.fillBlock(into);
    into.add(input);
    blocker.processBlock(into);
}

void VTRingAM::process() {
    if (frequency.testAndClearChanged())
        oscillator_.setIncrement(kSineTableSize / (SGSampleRate / frequency.value()));

    SGSignal& out = outletSignal(0);
    condition(inletSignal(0), out, blocker0_);

    const SGSignal& second = inletSignal(1);
    if (isConnectedInlet(second)) {
        condition(second, modulator_, blocker1_);
        out.multiply(modulator_);
        return;
    }
    // The oscillator's phase is a running sum, taken sample by sample; the products after it
    // vectorise.
    float* m = modulator_.samples();
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) m[i] = oscillator_.tick();
    float* d = out.samples();
    if (am.value())
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) d[i] = (m[i] + 1.0f) * 0.5f * d[i];
    else
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) d[i] = m[i] * d[i];
}
