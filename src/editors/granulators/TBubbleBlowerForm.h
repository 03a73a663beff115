#pragma once

#include <memory>

#include "editors/TSliderRowsForm.h"
#include "editors/granulators/VTQuantizeList.h"

class QComboBox;
class VTFilePanel;

// "BubbleBlower": the sound file, ranges for each grain's start in the file, amplitude, pan,
// transposition, duration, envelope shape and skew; the grain density and quantisation amount,
// the most grains at once and the onset quantisation.
class TBubbleBlowerForm : public TSliderRowsForm {
public:
    explicit TBubbleBlowerForm(VTContraption& contraption);

    VTFilePanel& FilePanel() const { return *file_; }
    QComboBox& QuantizeList() const { return *quantize_; }
    KDNumberEdit& MaxGrainsEdit() const { return *maxGrains_; }

private:
    VTFilePanel* file_;
    QComboBox* quantize_;
    std::unique_ptr<VTQuantizeList> quantizeList_;
    KDNumberEdit* maxGrains_;
};
