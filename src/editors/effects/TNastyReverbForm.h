#pragma once

#include "editors/TSliderRowsForm.h"

// "NastyReverb": the reverberation time and the wet/dry mix.
class TNastyReverbForm : public TSliderRowsForm {
public:
    explicit TNastyReverbForm(VTContraption& contraption);
};
