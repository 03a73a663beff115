#pragma once

#include "editors/effects/TSliderRowsForm.h"

// "NastyReverb": the reverberation time and the wet/dry mix.
class TNastyReverbForm : public TSliderRowsForm {
public:
    explicit TNastyReverbForm(VTContraption& contraption);
};
