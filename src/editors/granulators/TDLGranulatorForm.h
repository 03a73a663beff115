#pragma once

#include <memory>

#include "editors/TSliderRowsForm.h"
#include "editors/granulators/VTQuantizeList.h"

class QCheckBox;
class QComboBox;

// "DLGranulator": ranges for each grain's delay, amplitude, pan, transposition, onset interval,
// duration, envelope shape and skew; the feedback, mix, quantisation amount and input gain;
// the most grains at once, the onset quantisation, and the switch that freezes the delay line.
class TDLGranulatorForm : public TSliderRowsForm {
public:
    explicit TDLGranulatorForm(VTContraption& contraption);

    QComboBox& QuantizeList() const { return *quantize_; }
    KDNumberEdit& MaxGrainsEdit() const { return *maxGrains_; }
    QCheckBox& FreezeCheckBox() const { return *freeze_; }

private:
    QComboBox* quantize_;
    std::unique_ptr<VTQuantizeList> quantizeList_;
    KDNumberEdit* maxGrains_;
    QCheckBox* freeze_;
};
