#pragma once

#include "contraptions/VTContraptionMakerTemplate.h"
#include "params/SGDoubleProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"
#include "signal/SGGainSmoother.h"

// Fades between two stereo sides, A on inlets 0 and 1 and B on inlets 2 and 3, into a left and
// a right outlet. A side with one inlet connected plays it on both outlets. Up to the middle
// of the fade A stays at full level while B rises; beyond it B stays while A falls. A new
// crossfader passes A at unity.
class VTCrossfader : public SGSignalProcessor {
public:
    VTCrossfader();

    SGPropertyTable& propertyTable() override;
    void process() override;

    const SGGainSmoother& smootherA() const { return smootherA_; }
    const SGGainSmoother& smootherB() const { return smootherB_; }

    SGDoubleProperty masterGain{1.0};
    SGDoubleProperty trimA{1.0};
    SGDoubleProperty trimB{1.0};
    SGDoubleProperty fade{0.0};

private:
    SGStaticPropertyTable table_;
    SGGainSmoother smootherA_{5.0};
    SGGainSmoother smootherB_{5.0};
};

// "Crossfader" in "Mixers", help topic 1017.
class VTCrossfaderMaker : public VTContraptionMakerTemplate<VTCrossfader> {
public:
    VTCrossfaderMaker()
        : VTContraptionMakerTemplate("Crossfader", "Mixers", 1017, Naming::Numbered,
                                     Editor::Present) {}
};
