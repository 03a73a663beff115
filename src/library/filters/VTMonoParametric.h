#pragma once

#include "contraptions/VTContraptionMakerTemplate.h"
#include "library/filters/VTParametricEqualiser.h"

// The four-band equaliser on one channel: one inlet, one outlet.
class VTMonoParametric : public VTParametricEqualiser {
public:
    VTMonoParametric() : VTParametricEqualiser(1) {}
};

// "MParaEQ" in "Filters", help topic 1013, numbered instances.
class VTMonoParametricMaker : public VTContraptionMakerTemplate<VTMonoParametric> {
public:
    VTMonoParametricMaker()
        : VTContraptionMakerTemplate("MParaEQ", "Filters", 1013, Naming::Numbered,
                                     Editor::Present) {}
};
