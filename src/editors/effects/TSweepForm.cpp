#include "editors/effects/TSweepForm.h"

TSweepForm::TSweepForm(VTContraption& contraption, const char* title, const char* lastCaption,
                       const char* lastProperty)
    : TSliderRowsForm(contraption) {
    setWindowTitle(title);
    addRangeSlider("Range:", "FrequencyRange", rscLogarithmic);
    addSlider("Rate:", "Rate", scLogarithmic);
    addSlider("Feedback:", "Feedback");
    addSlider(lastCaption, lastProperty);
}
