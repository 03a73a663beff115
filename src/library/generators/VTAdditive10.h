#pragma once

#include <array>

#include "contraptions/VTContraptionMakerTemplate.h"
#include "params/SGDoubleProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"
#include "signal/SGGainSmoother.h"

// The first ten harmonics of a fundamental, each under its own amplitude, summed under one
// gain. Every harmonic is a rotating phasor, so no table and no per-sample trigonometry is
// needed; a new fundamental is reached through a smoother stepped once a block, and the
// phasors run on through every change without a jump. No inlet, one outlet.
class VTAdditive10 : public SGSignalProcessor {
public:
    static constexpr int kHarmonics = 10;

    VTAdditive10();

    SGPropertyTable& propertyTable() override;
    void process() override;

    SGDoubleProperty frequency{100.0};
    SGDoubleProperty gain{0.0};
    // The amplitude of harmonic k + 1: "Amp_0" (the fundamental) starts at 1, the others at 0.
    std::array<SGDoubleProperty, kHarmonics> amps;

    // Running state, visible to tests.
    const SGGainSmoother& frequencySmoother() const { return smoother_; }
    float sinStep(int k) const { return sin_[k]; }
    float cosStep(int k) const { return cos_[k]; }
    float phasorX(int k) const { return x_[k]; }
    float phasorY(int k) const { return y_[k]; }

private:
    void setFundamental(float hertz);

    SGStaticPropertyTable table_;
    // The frequency smoother runs at the block rate.
    SGGainSmoother smoother_{5.0};
    std::array<float, kHarmonics> sin_{};
    std::array<float, kHarmonics> cos_{};
    std::array<float, kHarmonics> x_{};
    std::array<float, kHarmonics> y_{};
};

// "10Harmonics" in "Signal Generators", help topic 1005.
class VTAdditive10Maker : public VTContraptionMakerTemplate<VTAdditive10> {
public:
    VTAdditive10Maker()
        : VTContraptionMakerTemplate("10Harmonics", "Signal Generators", 1005, Naming::Numbered,
                                     Editor::Present) {}
};
