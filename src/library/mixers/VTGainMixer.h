#pragma once

#include <array>

#include "dsp/SGVInterp.h"
#include "params/SGDoubleProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"

// What the mono and the stereo mixers share: a master gain, one gain per channel and a ramp per
// channel that glides each new product of channel gain and master gain across one block. The
// properties are "MasterGain", then "Gain_0" ... "Gain_"N-1, all 0 ... 1 and 0 when new, so a
// new mixer is silent.
class VTGainMixer : public SGSignalProcessor {
public:
    static constexpr int kMaxChannels = 12;

    int channelCount() const { return channels_; }
    const SGVInterp& ramp(int channel) const { return ramps_[channel]; }

    SGDoubleProperty masterGain{0.0};
    // Only the first channelCount() gains exist in the property table.
    std::array<SGDoubleProperty, kMaxChannels> gains;

protected:
    VTGainMixer(int channels, int inlets, int outlets);

    // The table of a mixer class of this channel count; each class keeps its own description.
    SGPropertyTable& bindTable(SGStaticPropertyTable::ClassInfo& info);

    // Gives the ramp of a channel its new target when its gain or the master gain changed.
    void retarget(int channel, bool masterChanged) {
        if (gains[channel].testAndClearChanged() || masterChanged)
            ramps_[channel].setTarget(gains[channel].value() * masterGain.value(), SGBlockSize);
    }
    SGVInterp& rampOf(int channel) { return ramps_[channel]; }

private:
    int channels_;
    SGStaticPropertyTable table_;
    std::array<SGVInterp, kMaxChannels> ramps_;
};
