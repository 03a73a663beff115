#pragma once

#include <array>
#include <cstdint>

#include "contraptions/VTContraptionMakerTemplate.h"
#include "dsp/SGDelayLine.h"
#include "dsp/SGVoiceAllocator.h"
#include "library/granulators/VTDLGrain.h"
#include "params/SGDoubleProperty.h"
#include "params/SGIntProperty.h"
#include "params/SGRangeProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"
#include "signal/SGDCBlocker.h"
#include "signal/SGNoise.h"
#include "signal/SGOutletLimiter.h"

// A real-time granulator over an 11-second delay line: the input (plus the grains fed back)
// is written into the line and up to 20 grains read it back at random delays, rates, lengths,
// pans and amplitudes drawn within the ranges of the properties. Onsets follow a random
// inter-onset time and can be pulled towards the beat grid. Freezing stops the writing so the
// grains go on reading the held buffer. One inlet; outlets 0 left and 1 right.
class VTDLGranulator : public SGSignalProcessor {
public:
    static constexpr std::int32_t kGrainCount = 20;
    static constexpr double kLineSeconds = 11.0;
    static constexpr float kSnap = 0.000001f;

    VTDLGranulator();

    SGPropertyTable& propertyTable() override;
    void process() override;
    void reset() override;

    SGDoubleProperty inputGain{1.0};
    SGRangeProperty amplitude{1.0f, 1.0f};
    SGRangeProperty panning{0.0f, 1.0f};
    SGRangeProperty delayTime{0.0f, 0.0f};
    SGDoubleProperty feedback{0.0};
    SGDoubleProperty wetDryMix{1.0};
    SGRangeProperty pitchScaler{1.0f, 1.0f};
    SGRangeProperty interonsetTime{20.0f, 25.0f};
    SGDoubleProperty quantizeAmount{0.0};
    SGIntProperty quantizeClocks{24};
    SGRangeProperty grainDuration{30.0f, 40.0f};
    SGRangeProperty attDecRatio{0.5f, 0.5f};
    SGRangeProperty grainSkew{0.5f, 0.5f};
    SGIntProperty maxGrains{kGrainCount};

    // The freeze switch of the editor; not a property, so neither stored nor reachable by
    // controllers. A change is taken over at the next block with a one-block crossfade.
    void setFrozen(bool frozen) { frozen_.store(frozen, std::memory_order_relaxed); }
    bool isFrozen() const { return frozen_.load(std::memory_order_relaxed); }

    // The random generators, one per ranged quantity, open to tests that fix their seeds.
    struct Generators {
        SGNoise amplitude, pan, pitch, delay, interonset, duration, attDec, skew;
    };
    Generators& generators() { return gen_; }
    SGNoise& dither() { return dither_; }

    // Running state, visible to tests.
    std::uint32_t nextOnset() const { return nextOnset_; }
    std::int32_t soundingGrains() const { return voices_.activeCount(); }
    const SGVoiceAllocator<VTDLGrain>& voices() const { return voices_; }
    const SGDelayLine& line() const { return line_; }
    const SGSignal& feedbackBlock() const { return feedbackBlock_; }
    float wetGain() const { return g0_; }
    float dryGain() const { return g1_; }
    float highPassPole() const { return hpPole_; }
    float lowPassPole() const { return lpA_; }
    // The gain every new grain's amplitude is multiplied by, for the present ranges.
    float normalisation() const;
    // The gain of the grains in the feedback path, for the present properties.
    float feedbackGain() const;

private:
    void takeRangeChanges();
    bool renderGrain(VTDLGrain& g, bool frozen);
    void startGrain(std::uint32_t w, float norm, bool frozen);
    void scheduleGrains(bool frozen);
    void filterFeedback();
    void writeLine(bool frozen);
    void mixDry();

    SGStaticPropertyTable table_;
    SGDelayLine line_{kLineSeconds};
    std::array<VTDLGrain, kGrainCount> grains_;
    SGVoiceAllocator<VTDLGrain> voices_{grains_.data(), kGrainCount};
    Generators gen_;
    std::uint32_t nextOnset_ = 0;
    SGSignal feedbackBlock_{0.0f};
    SGSignal scratch_{0.0f};
    SGNoise dither_;
    SGOutletLimiter limiter_{this, 0};
    float lpB_ = 0.0f, lpA_ = 0.0f, lpX_ = 0.0f;
    float hpPole_ = 0.0f, hpS_ = 0.0f;
    SGDCBlocker dcBlocker_;
    float g0_ = 1.0f, g1_ = 0.0f;
    std::atomic<bool> frozen_{false};
    bool wasFrozen_ = false;
};

// "DLGranulator" in "Effects", help topic 1011, numbered instances.
class VTDLGranulatorMaker : public VTContraptionMakerTemplate<VTDLGranulator> {
public:
    VTDLGranulatorMaker()
        : VTContraptionMakerTemplate("DLGranulator", "Effects", 1011, Naming::Numbered,
                                     Editor::Present) {}
};
