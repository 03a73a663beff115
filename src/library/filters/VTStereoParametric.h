#pragma once

#include "contraptions/VTContraptionMakerTemplate.h"
#include "library/filters/VTParametricEqualiser.h"

// The four-band equaliser on a stereo pair: two inlets, two outlets, one set of settings.
class VTStereoParametric : public VTParametricEqualiser {
public:
    VTStereoParametric() : VTParametricEqualiser(2) {}
};

// "SParaEQ" in "Filters", help topic 1013, numbered instances.
class VTStereoParametricMaker : public VTContraptionMakerTemplate<VTStereoParametric> {
public:
    VTStereoParametricMaker()
        : VTContraptionMakerTemplate("SParaEQ", "Filters", 1013, Naming::Numbered,
                                     Editor::Present) {}
};
