#pragma once

#include <array>

#include "contraptions/VTContraptionMakerTemplate.h"
#include "dsp/SGComb.h"
#include "params/SGDoubleProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"
#include "signal/SGDCBlocker.h"
#include "signal/SGNoise.h"

// Five tuned feedback combs fed in parallel from one input. Each rings at its frequency, dies
// away by 60 dB in its reverberation time and has its own output gain; the output is the sum of
// the combs alone. One inlet, one outlet.
class VT5Combs : public SGSignalProcessor {
public:
    static constexpr int kCombs = 5;
    // One period of the lowest tuning (16 Hz) fits with room to spare.
    static constexpr double kMaxDelaySeconds = 0.06;

    VT5Combs();

    SGPropertyTable& propertyTable() override;
    void process() override;

    SGDoubleProperty inputGain{0.0};
    std::array<SGDoubleProperty, kCombs> frequency{SGDoubleProperty{110.0}, SGDoubleProperty{220.0},
                                                   SGDoubleProperty{440.0}, SGDoubleProperty{880.0},
                                                   SGDoubleProperty{1760.0}};
    std::array<SGDoubleProperty, kCombs> reverbTime{SGDoubleProperty{1.0}, SGDoubleProperty{2.0},
                                                    SGDoubleProperty{3.0}, SGDoubleProperty{4.0},
                                                    SGDoubleProperty{5.0}};
    std::array<SGDoubleProperty, kCombs> gain{SGDoubleProperty{1.0}, SGDoubleProperty{0.5},
                                              SGDoubleProperty{0.25}, SGDoubleProperty{0.125},
                                              SGDoubleProperty{0.0625}};

    // Running state, visible to tests.
    const SGComb& comb(int n) const { return combs_[static_cast<std::size_t>(n)]; }
    SGNoise& dither() { return dither_; }

private:
    void tune(std::size_t n);

    SGStaticPropertyTable table_;
    std::array<SGComb, kCombs> combs_{SGComb{kMaxDelaySeconds}, SGComb{kMaxDelaySeconds},
                                      SGComb{kMaxDelaySeconds}, SGComb{kMaxDelaySeconds},
                                      SGComb{kMaxDelaySeconds}};
    SGSignal input_;
    SGSignal combOut_;
    SGDCBlocker dcBlocker_;
    SGNoise dither_;
};

// "5Combs" in "Filters", help topic 1012, numbered instances.
class VT5CombsMaker : public VTContraptionMakerTemplate<VT5Combs> {
public:
    VT5CombsMaker()
        : VTContraptionMakerTemplate("5Combs", "Filters", 1012, Naming::Numbered, Editor::Present) {
    }
};
