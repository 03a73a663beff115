#include "editors/effects/TNastyReverbForm.h"

TNastyReverbForm::TNastyReverbForm(VTContraption& contraption) : TSliderRowsForm(contraption) {
    setWindowTitle("Nasty Reverb");
    addSlider("Reverb time:", "ReverbTime");
    addSlider("Wet/dry mix:", "WetDryMix");
}
