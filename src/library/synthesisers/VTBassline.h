#pragma once

#include <array>
#include <cstdint>

#include "contraptions/VTContraptionMakerTemplate.h"
#include "dsp/SGFunctionTable.h"
#include "dsp/SGOscillator.h"
#include "params/SG8CharsProperty.h"
#include "params/SGBoolProperty.h"
#include "params/SGDoubleProperty.h"
#include "params/SGIntProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"
#include "signal/SGNoise.h"

// A monophonic bass synthesiser with its own one-bar, 16-step sequencer on the transport clock:
// a table oscillator (sawtooth-like or square), a resonant two-pole state-variable low-pass
// whose cutoff a decaying envelope sweeps down, an amplitude envelope, per-step accent and tie
// (slide), a soft overdrive and a once-a-block LFO on the envelope depth. One inlet, one
// outlet; a connected inlet replaces the oscillator as the filter's input.
//
// The envelopes and the glide step once per rendering segment: a block is one segment, split
// at every tick that falls inside it.
class VTBassline : public SGSignalProcessor {
public:
    static constexpr std::uint32_t kTableSize = 1024;
    static constexpr int kPatternTicks = 96;  // one bar of 4/4
    static constexpr int kStepTicks = 6;
    static constexpr int kSteps = kPatternTicks / kStepTicks;
    static constexpr int kEnvelopeLength = 723;  // segments
    static constexpr int kAttackSamples = 30;
    static constexpr int kReleaseSamples = 700;

    // A decay from start to end over kEnvelopeLength segments along g = multiplier^n, after
    // which it holds end.
    struct Envelope {
        float start = 0.0f;
        float end = 0.0f;
        float range = 0.0f;
        float base = 0.0f;
        float multiplier = 1.0f;
        float g = 1.0f;
        std::int32_t length = kEnvelopeLength;
        std::int32_t counter = kEnvelopeLength;  // finished until the first note

        void setBase(float b);
        void restart() {
            g = 1.0f;
            counter = 0;
        }
        float next();
    };

    VTBassline();

    SGPropertyTable& propertyTable() override;
    void process() override;
    void reset() override;

    SGDoubleProperty volume{0.0};
    SGBoolProperty mute{false};
    SGIntProperty waveform{0};
    SGDoubleProperty cutoffFreq{0.5};
    SGDoubleProperty resonance{0.0};
    SGDoubleProperty envMod{0.5};
    SGDoubleProperty decay{0.5};
    SGDoubleProperty accent{0.0};
    SGDoubleProperty overdrive{0.0};
    SGDoubleProperty lfoRate{0.0};
    SGDoubleProperty lfoDepth{0.0};
    SGIntProperty gates{0xffff};
    SGIntProperty accents{0};
    SGIntProperty ties{0};
    SG8CharsProperty notes0{{{36, 36, 36, 36, 36, 36, 36, 36}}};
    SG8CharsProperty notes1{{{36, 36, 36, 36, 36, 36, 36, 36}}};

    // The frequency of a note number (0 ... 127; others are taken as the nearest), 440 Hz at
    // note 69.
    static float noteFrequency(int note);
    // The glide's share of the old pitch that remains after one segment.
    static double glideFactor();

    // Running state, visible to tests.
    const SGFunctionTable& sawTable() const { return sawTable_; }
    const SGFunctionTable& squareTable() const { return squareTable_; }
    const SGFunctionTable& lfoTable() const { return lfoTable_; }
    const SGOscillator& oscillator() const { return osc_; }
    const SGOscillator& lfo() const { return lfo_; }
    const Envelope& cutoffEnvelope() const { return cutoffEnv_; }
    const Envelope& amplitudeEnvelope() const { return ampEnv_; }
    double q() const { return q_; }
    double filterF() const { return f_; }
    double currentFrequency() const { return currentFreq_; }
    double targetFrequency() const { return targetFreq_; }
    double gateValue() const { return gateValue_; }
    double gateStep() const { return gateStep_; }
    std::int32_t gateRemaining() const { return gateRemaining_; }
    double accentAmount() const { return accentAmount_; }
    bool muteLatch() const { return muteLatch_; }
    float smootherPole() const { return pole_; }
    SGNoise& dither() { return dither_; }

    // The soft clipper: linear below 1, bending to a flat top of 2 at 2 and flat beyond.
    static double overdriveCurve(double z);

private:
    struct BlockValues {
        float envTop;
        float cutoffHz;
        float drive;
        double volume;
    };

    void applyChangedProperties();
    void handleTick(std::int64_t tick, bool running);
    void renderSegment(const BlockValues& b, const float* inlet, float* out, std::uint32_t from,
                       std::uint32_t to);
    int noteAt(int step) const;
    static bool bit(const SGIntProperty& pattern, int step) {
        return ((static_cast<std::uint32_t>(pattern.value()) >> step) & 1u) != 0;
    }

    SGStaticPropertyTable table_;
    SGFunctionTable sawTable_{kTableSize};
    SGFunctionTable squareTable_{kTableSize};
    SGFunctionTable lfoTable_{kTableSize};
    SGOscillator osc_{sawTable_};
    SGOscillator lfo_{lfoTable_};

    double f_ = 0.0;
    double q_ = 1.0;
    double band_ = 0.0;
    double low_ = 0.0;
    Envelope cutoffEnv_;
    Envelope ampEnv_;

    std::int32_t gateRemaining_ = 0;
    double gateValue_ = 0.0;
    double gateStep_ = -1.0;  // positive while a note is on

    double currentFreq_ = 100.0;
    double targetFreq_ = 100.0;
    double glide_;
    double accentAmount_ = 0.0;
    bool muteLatch_ = false;

    SGNoise dither_;
    float pole_;
    float smootherTarget_ = 0.0f;
    float smootherState_ = 0.0f;
};

// "Bassline" in "Signal Generators", help topic 1006, numbered instances.
class VTBasslineMaker : public VTContraptionMakerTemplate<VTBassline> {
public:
    VTBasslineMaker()
        : VTContraptionMakerTemplate("Bassline", "Signal Generators", 1006, Naming::Numbered,
                                     Editor::Present) {}
};
