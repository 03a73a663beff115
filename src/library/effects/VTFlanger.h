#pragma once

#include "contraptions/VTContraptionMakerTemplate.h"
#include "dsp/SGComb.h"
#include "library/common/VTWetDryGains.h"
#include "library/effects/VTSweepLfo.h"
#include "params/SGDoubleProperty.h"
#include "params/SGRangeProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"
#include "signal/SGDCBlocker.h"
#include "signal/SGNoise.h"

// A flanger: an interpolating feedback comb tuned once a block to a frequency that a sine sweep
// moves between the two ends of a range, mixed with the input by an equal-power law. One inlet,
// one outlet.
class VTFlanger : public SGSignalProcessor {
public:
    // The comb's ring holds one period of the lowest tuning and more.
    static constexpr double kMaxDelaySeconds = 0.1;

    VTFlanger();

    SGPropertyTable& propertyTable() override;
    void process() override;

    SGRangeProperty frequencyRange{440.0f, 1600.0f};  // Hz
    SGDoubleProperty rate{1.0};                       // sweeps per second
    SGDoubleProperty feedback{0.9};
    SGDoubleProperty wetDryMix{0.7};

    // Running state, visible to tests.
    const SGComb& comb() const { return comb_; }
    const VTSweepLfo& lfo() const { return lfo_; }
    const VTWetDryGains& gains() const { return gains_; }
    SGNoise& dither() { return dither_; }

private:
    SGStaticPropertyTable table_;
    VTSweepLfo lfo_;
    SGNoise dither_;
    SGDCBlocker dcBlocker_;
    SGComb comb_{kMaxDelaySeconds};
    VTWetDryGains gains_;
};

// "Flanger" in "Effects", help topic 1010, numbered instances.
class VTFlangerMaker : public VTContraptionMakerTemplate<VTFlanger> {
public:
    VTFlangerMaker()
        : VTContraptionMakerTemplate("Flanger", "Effects", 1010, Naming::Numbered,
                                     Editor::Present) {}
};
