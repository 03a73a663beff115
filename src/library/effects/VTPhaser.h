#pragma once

#include <array>

#include "contraptions/VTContraptionMakerTemplate.h"
#include "library/effects/VTSweepLfo.h"
#include "params/SGDoubleProperty.h"
#include "params/SGRangeProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"
#include "signal/SGDCBlocker.h"
#include "signal/SGNoise.h"

// A phaser: six first-order all-pass sections in a feedback loop, tuned once a block to a
// frequency that a sine sweep moves between the two ends of a range; the result, scaled by a
// depth, is added to the input. One inlet, one outlet.
class VTPhaser : public SGSignalProcessor {
public:
    // Two sections of one tuning: the first keeps s1, the second s2.
    struct AllpassPair {
        float s1 = 0.0f;
        float s2 = 0.0f;
        float c = 0.0f;
    };
    // The pairs are tuned to the swept frequency times these, in the order the signal meets them.
    static constexpr std::array<double, 3> kPairScales{1.2, 1.1, 1.0};

    VTPhaser();

    SGPropertyTable& propertyTable() override;
    void process() override;

    SGRangeProperty frequencyRange{440.0f, 1600.0f};  // Hz
    SGDoubleProperty rate{0.55};                      // sweeps per second
    SGDoubleProperty feedback{0.7};
    SGDoubleProperty depth{1.0};

    // Running state, visible to tests.
    const std::array<AllpassPair, 3>& pairs() const { return pairs_; }
    float feedbackSample() const { return feedbackSample_; }
    const VTSweepLfo& lfo() const { return lfo_; }
    SGNoise& dither() { return dither_; }

private:
    void tune(float sweep, SGFloatRange range);

    SGStaticPropertyTable table_;
    VTSweepLfo lfo_;
    SGNoise dither_;
    SGDCBlocker dcBlocker_;
    std::array<AllpassPair, 3> pairs_{};
    float feedbackSample_ = 0.0f;
    SGDCBlocker feedbackDcBlocker_;
};

// "Phaser" in "Effects", help topic 1022, numbered instances.
class VTPhaserMaker : public VTContraptionMakerTemplate<VTPhaser> {
public:
    VTPhaserMaker()
        : VTContraptionMakerTemplate("Phaser", "Effects", 1022, Naming::Numbered, Editor::Present) {
    }
};
