#pragma once

#include "editors/TSliderRowsForm.h"

// The flanger's and the phaser's editor: the swept frequency range and the sweep rate, both on
// logarithmic scales, the feedback, and a last slider of the kind's own.
class TSweepForm : public TSliderRowsForm {
public:
    TSweepForm(VTContraption& contraption, const char* title, const char* lastCaption,
               const char* lastProperty);
};

// "Flanger": its last slider is the wet/dry mix.
class TFlangerForm : public TSweepForm {
public:
    explicit TFlangerForm(VTContraption& contraption)
        : TSweepForm(contraption, "Flanger", "Wet/dry mix:", "WetDryMix") {}
};

// "Phaser": its last slider is the depth.
class TPhaserForm : public TSweepForm {
public:
    explicit TPhaserForm(VTContraption& contraption)
        : TSweepForm(contraption, "Phaser", "Depth:", "Depth") {}
};
