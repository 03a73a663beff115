#include "library/filters/VT5Combs.h"

#include <cmath>
#include <string>

#include "library/common/VTDither.h"
#include "params/SGPropertyUnits.h"

VT5Combs::VT5Combs() : SGSignalProcessor(1, 1) { vtSetUpDither(dither_); }

SGPropertyTable& VT5Combs::propertyTable() {
    static SGStaticPropertyTable::ClassInfo info;
    info.buildOnce([this](auto& add) {
        const SGPropertyUnits* gainUnits = SGGainUnits::instance();
        add(table_, inputGain, "InputGain", gainUnits, 0.0, 1.0);
        for (int n = 0; n < kCombs; ++n)
            add(table_, frequency[n], "Frequency_" + std::to_string(n),
                SGFrequencyUnits::instance(), 16.0, 2000.0);
        for (int n = 0; n < kCombs; ++n)
            add(table_, reverbTime[n], "ReverbTime_" + std::to_string(n),
                SGTimeSecondsUnits::instance(), 0.02, 10.0);
        for (int n = 0; n < kCombs; ++n)
            add(table_, gain[n], "Gain_" + std::to_string(n), gainUnits, 0.0, 1.5);
    });
    return table_.bind(info);
}

void VT5Combs::tune(std::size_t n) {
    SGComb& comb = combs_[n];
    if (frequency[n].testAndClearChanged()) {
        const double f = frequency[n].value();
        comb.setFrequency(f);
        comb.delay().setTarget(SGSampleRate / f, SGBlockSize);
    }
    // The feedback is taken from the stored tuning: a later change of frequency alone keeps it,
    // so the comb then rings for a time in proportion to its new period.
    if (reverbTime[n].testAndClearChanged()) {
        const double loops = comb.frequency() * reverbTime[n].value();
        comb.feedback().setTarget(std::pow(0.001, 1.0 / loops), SGBlockSize);
    }
}

void VT5Combs::process() {
    for (std::size_t n = 0; n < combs_.size(); ++n) tune(n);

    const float g = static_cast<float>(inputGain.value());
    const float* in = inletSignal(0).samples();
    float* x = input_.samples();
    for (std::uint32_t i = 0; i < SGBlockSize; ++i)
        x[i] = static_cast<float>(dither_.next()) + g * in[i];
    dcBlocker_.processBlock(input_);

    SGSignal& out = outletSignal(0);
    combs_[0].process(input_, combOut_);
    out.assignScaled(combOut_, static_cast<float>(gain[0].value()));
    for (std::size_t n = 1; n < combs_.size(); ++n)
        combs_[n].processAdd(input_, out, static_cast<float>(gain[n].value()));
}
