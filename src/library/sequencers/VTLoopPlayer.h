#pragma once

#include <cstdint>

#include "contraptions/VTContraptionMakerTemplate.h"
#include "library/samples/VTSample16.h"
#include "params/SGBoolProperty.h"
#include "params/SGCStringProperty.h"
#include "params/SGIntProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"

// A tempo-locked loop of a sound file: the loop lasts a whole number of bars and its play
// position is worked out from the transport clock at every block, so it never drifts from the
// clock. With "Stretch" the whole file is fitted to the loop; without it the file plays at its
// own speed from the loop start and stops at the loop end. No inlet; outlets 0 left, 1 right.
class VTLoopPlayer : public SGSignalProcessor {
public:
    VTLoopPlayer();

    SGPropertyTable& propertyTable() override;
    void process() override;

    SGCStringProperty file;
    SGIntProperty barCount{1};
    SGBoolProperty stretch{true};
    SGIntProperty phase{0};
    SGBoolProperty mute{false};

    // Running state, visible to tests.
    bool isPlaying() const { return playing_; }
    const VTSample16& sample() const { return sample_; }
    double position() const { return position_; }
    double rate() const { return rate_; }

private:
    void loadFile();
    void play(double h, double loopLength, double rate);

    SGStaticPropertyTable table_;
    VTSample16 sample_;
    std::uint32_t count_ = 0;
    bool playing_ = true;
    double position_ = 0.0;
    double rate_ = 0.0;
};

// "LoopPlayer" in "Signal Generators", help topic 1003, numbered instances.
class VTLoopPlayerMaker : public VTContraptionMakerTemplate<VTLoopPlayer> {
public:
    VTLoopPlayerMaker()
        : VTContraptionMakerTemplate("LoopPlayer", "Signal Generators", 1003, Naming::Numbered,
                                     Editor::Present) {}
};
