#pragma once

#include <array>
#include <cstdint>

#include "contraptions/VTContraptionMakerTemplate.h"
#include "dsp/SGVoiceAllocator.h"
#include "library/granulators/VTBubbleGrain.h"
#include "library/samples/VTSample16.h"
#include "params/SGCStringProperty.h"
#include "params/SGDoubleProperty.h"
#include "params/SGIntProperty.h"
#include "params/SGRangeProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"
#include "signal/SGNoise.h"

// A granular sound source over a sound file held in memory: up to 20 grains at a time, started
// by a random stream of a given density (optionally pulled towards the beat grid), each with
// its own start point in the file, transposition, length, envelope shape, pan and amplitude
// drawn within the property ranges. No inlet; outlets 0 left and 1 right.
class VTBubbleBlower : public SGSignalProcessor {
public:
    static constexpr std::int32_t kGrainCount = 20;

    VTBubbleBlower();

    SGPropertyTable& propertyTable() override;
    void process() override;

    SGCStringProperty file;
    SGRangeProperty amplitude{1.0f, 1.0f};
    SGRangeProperty panning{0.0f, 1.0f};
    SGRangeProperty inskip{0.0f, 0.0f};
    SGRangeProperty pitchScaler{1.0f, 1.0f};
    SGDoubleProperty density{10.0};
    SGDoubleProperty quantizeAmount{0.0};
    SGIntProperty quantizeClocks{24};
    SGRangeProperty grainDuration{30.0f, 40.0f};
    SGRangeProperty attDecRatio{0.5f, 0.5f};
    SGRangeProperty grainSkew{0.5f, 0.5f};
    SGIntProperty maxGrains{kGrainCount};

    struct Generators {
        SGNoise amplitude, pan, pitch, inskip, onset, duration, attDec, skew;
    };
    Generators& generators() { return gen_; }

    // Running state, visible to tests.
    std::uint32_t nextOnset() const { return nextOnset_; }
    std::int32_t soundingGrains() const { return voices_.activeCount(); }
    const SGVoiceAllocator<VTBubbleGrain>& voices() const { return voices_; }
    const VTSample16& sample() const { return sample_; }
    // Frames grains may read (the loaded count minus the two the interpolation needs); 0 when
    // there is no sound.
    std::int32_t playableFrames() const { return playable_; }
    float normalisation() const;

private:
    void loadFile();
    void takeRangeChanges();
    bool renderGrain(VTBubbleGrain& g);
    void startGrain(std::uint32_t w, float norm);
    void scheduleGrains();

    SGStaticPropertyTable table_;
    VTSample16 sample_;
    std::int32_t playable_ = 0;
    std::array<VTBubbleGrain, kGrainCount> grains_;
    SGVoiceAllocator<VTBubbleGrain> voices_{grains_.data(), kGrainCount};
    Generators gen_;
    std::uint32_t nextOnset_ = 0;
    SGSignal scratchL_{0.0f};
    SGSignal scratchR_{0.0f};
};

// "BubbleBlower" in "Signal Generators", help topic 1021, numbered instances.
class VTBubbleBlowerMaker : public VTContraptionMakerTemplate<VTBubbleBlower> {
public:
    VTBubbleBlowerMaker()
        : VTContraptionMakerTemplate("BubbleBlower", "Signal Generators", 1021, Naming::Numbered,
                                     Editor::Present) {}
};
