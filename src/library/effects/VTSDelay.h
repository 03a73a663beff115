#pragma once

#include "contraptions/VTContraptionMakerTemplate.h"
#include "dsp/SGDelayLine.h"
#include "library/common/VTWetDryGains.h"
#include "params/SGDoubleProperty.h"
#include "params/SGIntProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"
#include "signal/SGNoise.h"

// A two-channel feedback delay. The left and right times are given in milliseconds or in
// semiquavers of the transport's tempo; either way they are held to 20 ... 2000 ms. With only
// the first inlet connected it is a mono-in, stereo-out delay. The feedback is taken from the
// right channel. Two inlets, two outlets (left, right).
class VTSDelay : public SGSignalProcessor {
public:
    static constexpr int kMilliseconds = 0;
    static constexpr int kSemiquavers = 1;  // any other DelayUnits value counts as milliseconds
    static constexpr double kLineSeconds = 2.1;
    static constexpr int kShortestMs = 20;
    static constexpr int kLongestMs = 2000;

    VTSDelay();

    SGPropertyTable& propertyTable() override;
    void process() override;

    SGIntProperty delayUnits{kMilliseconds};
    SGIntProperty leftDelay{200};
    SGIntProperty rightDelay{200};
    SGDoubleProperty feedback{0.3};
    SGDoubleProperty wetDryMix{1.0};

    // Milliseconds per semiquaver at a clock speed.
    static double msPerSemiquaver(double samplesPerTick);
    // The time a delay setting gives, in whole milliseconds within 20 ... 2000.
    static int effectiveMs(int setting, bool semiquavers, double samplesPerTick);
    // The clock speed the delay follows: its context's, or the starting tempo's outside one.
    double samplesPerTick() const;

    // Running state, visible to tests.
    const SGDelayLine& leftLine() const { return left_; }
    const SGDelayLine& rightLine() const { return right_; }
    const VTWetDryGains& gains() const { return gains_; }
    SGNoise& dither() { return dither_; }

private:
    void feedLines(const SGSignal& in0, const SGSignal& in1, bool stereoIn);

    SGStaticPropertyTable table_;
    SGDelayLine left_{kLineSeconds};
    SGDelayLine right_{kLineSeconds};
    SGSignal work0_;
    SGSignal work1_;
    SGNoise dither_;
    VTWetDryGains gains_;
};

// "SDelay" in "Effects", help topic 1008, numbered instances.
class VTSDelayMaker : public VTContraptionMakerTemplate<VTSDelay> {
public:
    VTSDelayMaker()
        : VTContraptionMakerTemplate("SDelay", "Effects", 1008, Naming::Numbered, Editor::Present) {
    }
};
