#pragma once

#include "contraptions/VTContraptionMakerTemplate.h"
#include "params/SGDoubleProperty.h"
#include "params/SGIntProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"
#include "signal/SGGainSmoother.h"
#include "signal/SGNoise.h"

// The simplest sound source: a sine tone or white noise at an adjustable volume. No inlets,
// one outlet. A new generator is silent until its amplitude is raised.
class VTTestSignalGenerator : public SGSignalProcessor {
public:
    static constexpr int kSine = 1;  // any other Waveform value gives noise

    VTTestSignalGenerator();

    SGPropertyTable& propertyTable() override;
    void process() override;

    SGDoubleProperty amplitude{0.0};
    SGDoubleProperty frequency{440.0};
    SGIntProperty waveform{kSine};

    // Running state, visible to tests.
    float sinStep() const { return sinStep_; }
    float cosStep() const { return cosStep_; }
    float phasorX() const { return x_; }
    float phasorY() const { return y_; }
    const SGGainSmoother& gain() const { return gain_; }
    SGNoise& noise() { return noise_; }

private:
    void setFrequency(double hertz);
    void renderSine(SGSignal& out);

    SGStaticPropertyTable table_;
    float sinStep_ = 0.0f;
    float cosStep_ = 1.0f;
    float x_ = 1.0f;
    float y_ = 0.0f;
    SGNoise noise_;
    SGGainSmoother gain_{20.0};
};

// "TestGen" in "Signal Generators", help topic 1002, numbered instances.
class VTTestSignalGeneratorMaker : public VTContraptionMakerTemplate<VTTestSignalGenerator> {
public:
    VTTestSignalGeneratorMaker()
        : VTContraptionMakerTemplate("TestGen", "Signal Generators", 1002, Naming::Numbered,
                                     Editor::Present) {}
};
