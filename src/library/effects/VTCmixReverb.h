#pragma once

#include "contraptions/VTContraptionMakerTemplate.h"
#include "library/common/VTWetDryGains.h"
#include "library/effects/SGCmixReverb.h"
#include "params/SGDoubleProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"
#include "signal/SGNoise.h"

// The reverb contraption: the comb-and-all-pass network on a mono input, with an equal-power
// wet/dry mix on both outputs. One inlet, two outlets (left, right).
class VTCmixReverb : public SGSignalProcessor {
public:
    VTCmixReverb();

    SGPropertyTable& propertyTable() override;
    void process() override;

    SGDoubleProperty reverbTime{1.0};  // seconds for a fall of 60 dB
    SGDoubleProperty wetDryMix{0.5};

    // Running state, visible to tests.
    const SGCmixReverb& reverb() const { return reverb_; }
    const VTWetDryGains& gains() const { return gains_; }
    SGNoise& dither() { return dither_; }

private:
    SGStaticPropertyTable table_;
    SGCmixReverb reverb_;
    SGNoise dither_;
    VTWetDryGains gains_;
};

// "NastyReverb" in "Effects", help topic 1009, numbered instances.
class VTCmixReverbMaker : public VTContraptionMakerTemplate<VTCmixReverb> {
public:
    VTCmixReverbMaker()
        : VTContraptionMakerTemplate("NastyReverb", "Effects", 1009, Naming::Numbered,
                                     Editor::Present) {}
};
