#include "library/effects/VTFlanger.h"

#include "library/common/VTDither.h"
#include "params/SGPropertyUnits.h"

VTFlanger::VTFlanger() : SGSignalProcessor(1, 1) { vtSetUpDither(dither_); }

SGPropertyTable& VTFlanger::propertyTable() {
    static SGStaticPropertyTable::ClassInfo info;
    info.buildOnce([this](auto& add) {
        const SGPropertyUnits* fraction = SGFractionUnits::instance();
        add(table_, frequencyRange, "FrequencyRange", SGFrequencyUnits::instance(), 20.0, 4000.0);
        add(table_, rate, "Rate", SGFrequencyUnits::instance(), 0.001, 100.0);
        add(table_, feedback, "Feedback", fraction, 0.0, 0.95);
        add(table_, wetDryMix, "WetDryMix", fraction, 0.0, 1.0);
    });
    return table_.bind(info);
}

void VTFlanger::process() {
    if (rate.testAndClearChanged()) lfo_.setRate(rate.value());
    if (feedback.testAndClearChanged()) comb_.feedback().setTarget(feedback.value(), SGBlockSize);
    if (wetDryMix.testAndClearChanged()) gains_.setMix(wetDryMix.value());

    const SGFloatRange range = frequencyRange.value();
    const float sweep = lfo_.tick();
    const float f = range.low + sweep * (range.high - range.low);
    comb_.setFrequency(f);
    comb_.delay().setTarget(SGSampleRate / f, SGBlockSize);

    const float* x = inletSignal(0).samples();
    SGSignal& out = outletSignal(0);
    float* o = out.samples();
    for (std::uint32_t i = 0; i < SGBlockSize; ++i)
        o[i] = dcBlocker_.step(x[i] + static_cast<float>(dither_.next()));
    comb_.process(out, out);
    gains_.mixInto(o, x, SGBlockSize);
}
