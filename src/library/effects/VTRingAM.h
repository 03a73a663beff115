#pragma once

#include "contraptions/VTContraptionMakerTemplate.h"
#include "dsp/SGFunctionTable.h"
#include "dsp/SGOscillator.h"
#include "params/SGBoolProperty.h"
#include "params/SGDoubleProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"
#include "signal/SGDCBlocker.h"
#include "signal/SGNoise.h"

// Multiplies its first input by an internal sine, swinging -1 ... 1 (ring modulation) or
// 0 ... 1 ("AM"); while the second inlet is connected, multiplies the two inputs instead and
// the sine holds its phase. Each input gets a trace of dither and loses its DC first, so a
// steady offset never comes through.
class VTRingAM : public SGSignalProcessor {
public:
    static constexpr std::uint32_t kSineTableSize = 1024;

    VTRingAM();

    SGPropertyTable& propertyTable() override;
    void process() override;

    SGDoubleProperty frequency{440.0};
    SGBoolProperty am{false};

    // Running state, visible to tests.
    const SGOscillator& oscillator() const { return oscillator_; }
    SGNoise& dither() { return dither_; }

private:
    // Dither, then the input, then the DC blocker of that input.
    void condition(const SGSignal& input, SGSignal& into, SGDCBlocker& blocker);

    SGStaticPropertyTable table_;
    SGFunctionTable sine_{kSineTableSize};
    SGOscillator oscillator_{sine_};
    SGDCBlocker blocker0_;
    SGDCBlocker blocker1_;
    SGNoise dither_;
    SGSignal modulator_;
};

// "RingAM" in "Effects", help topic 1007.
class VTRingAMMaker : public VTContraptionMakerTemplate<VTRingAM> {
public:
    VTRingAMMaker()
        : VTContraptionMakerTemplate("RingAM", "Effects", 1007, Naming::Numbered, Editor::Present) {
    }
};
