#include "editors/granulators/TBubbleBlowerForm.h"

#include <QComboBox>

#include "editors/VTFilePanel.h"

TBubbleBlowerForm::TBubbleBlowerForm(VTContraption& contraption) : TSliderRowsForm(contraption) {
    setWindowTitle("Bubble Blower");
    file_ = new VTFilePanel(*this, clientArea());
    placeControl(file_, nextRow("File:").adjusted(0, 0, 80, 0));
    addRangeSlider("Inskip", "Inskip");
    addRangeSlider("Amp", "Amplitude");
    addRangeSlider("Pan", "Panning");
    markAt(addRangeSlider("Trans", "PitchScaler", rscOctave), 1.0);
    addRangeSlider("GDur", "GrainDuration", rscLogarithmic);
    addRangeSlider("Shape", "AttDecRatio");
    markAt(addRangeSlider("Skew", "GrainSkew"), 0.5);

    startColumn();
    nextRow(nullptr);  // level with the first range
    addSlider("Density", "Density", scLogarithmic);
    addSlider("Quant", "QuantizeAmount");
    maxGrains_ = &addNumberField("Max Grains:", "MaxGrains");
    quantize_ = &addList("Quantize:", {});
    quantizeList_ = std::make_unique<VTQuantizeList>(*this, *quantize_);
}
