#include "library/effects/VTCmixReverb.h"

#include "library/common/VTDither.h"
#include "params/SGPropertyUnits.h"

VTCmixReverb::VTCmixReverb() : SGSignalProcessor(1, 2) { vtSetUpDither(dither_); }

SGPropertyTable& VTCmixReverb::propertyTable() {
    static SGStaticPropertyTable::ClassInfo info;
    info.buildOnce([this](auto& add) {
        add(table_, reverbTime, "ReverbTime", SGTimeSecondsUnits::instance(), 0.1, 10.0);
        add(table_, wetDryMix, "WetDryMix", SGFractionUnits::instance(), 0.0, 1.0);
    });
    return table_.bind(info);
}

void VTCmixReverb::process() {
    const SGSignal& in = inletSignal(0);
    SGSignal& left = outletSignal(0);
    SGSignal& right = outletSignal(1);
    if (reverbTime.testAndClearChanged()) reverb_.setReverbTime(reverbTime.value());

    float* l = left.samples();
    const float* x = in.samples();
    for (std::uint32_t i = 0; i < SGBlockSize; ++i)
        l[i] = static_cast<float>(dither_.next()) + x[i];
    reverb_.process(left, left, right);

    if (wetDryMix.testAndClearChanged()) gains_.setMix(wetDryMix.value());
    gains_.mixInto(l, x, SGBlockSize);
    gains_.mixInto(right.samples(), x, SGBlockSize);
}
