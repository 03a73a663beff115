#include "editors/granulators/TDLGranulatorForm.h"

#include <QCheckBox>
#include <QComboBox>

#include "contraptions/VTContraption.h"
#include "library/granulators/VTDLGranulator.h"

TDLGranulatorForm::TDLGranulatorForm(VTContraption& contraption) : TSliderRowsForm(contraption) {
    setWindowTitle("Delay-Line Granulator");
    addRangeSlider("Delay", "DelayTime");
    addRangeSlider("Amp", "Amplitude");
    addRangeSlider("Pan", "Panning");
    markAt(addRangeSlider("Trans", "PitchScaler", rscOctave), 1.0);
    addRangeSlider("IOT", "InteronsetTime", rscLogarithmic);
    addRangeSlider("GDur", "GrainDuration", rscLogarithmic);
    addRangeSlider("Shape", "AttDecRatio");
    markAt(addRangeSlider("Skew", "GrainSkew"), 0.5);

    startColumn();
    addSlider("Feed", "Feedback");
    addSlider("Mix", "WetDryMix");
    addSlider("Quant", "QuantizeAmount");
    addSlider("InGain", "InputGain");
    maxGrains_ = &addNumberField("Max Grains:", "MaxGrains");
    quantize_ = &addList("Quantize:", {});
    quantizeList_ = std::make_unique<VTQuantizeList>(*this, *quantize_);

    freeze_ = &addCheckBox("Freeze");
    auto* granulator = dynamic_cast<VTDLGranulator*>(&contraption.processor());
    if (granulator) freeze_->setChecked(granulator->isFrozen());
    QObject::connect(freeze_, &QCheckBox::clicked, this, [granulator](bool on) {
        if (granulator) granulator->setFrozen(on);
    });
}
