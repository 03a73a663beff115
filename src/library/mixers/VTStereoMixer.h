#pragma once

#include <string>

#include "contraptions/VTContraptionMakerTemplate.h"
#include "library/mixers/VTGainMixer.h"

// N stereo channels on inlets 2k (left) and 2k + 1 (right), each under its own gain, summed
// into a left and a right outlet under the master gain. A channel with only one side connected
// plays that side on both outlets; a channel with neither is skipped and its ramp waits.
class VTStereoMixer : public VTGainMixer {
public:
    void process() override;

protected:
    explicit VTStereoMixer(int channels) : VTGainMixer(channels, 2 * channels, 2) {}
};

template <int N>
class VTStereoMixerOf final : public VTStereoMixer {
    static_assert(N >= 1 && N <= kMaxChannels);

public:
    VTStereoMixerOf() : VTStereoMixer(N) {}

    SGPropertyTable& propertyTable() override {
        static SGStaticPropertyTable::ClassInfo info;
        return bindTable(info);
    }
};

using VTS2Mixer = VTStereoMixerOf<2>;
using VTS3Mixer = VTStereoMixerOf<3>;
using VTS4Mixer = VTStereoMixerOf<4>;
using VTS6Mixer = VTStereoMixerOf<6>;
using VTS8Mixer = VTStereoMixerOf<8>;
using VTS12Mixer = VTStereoMixerOf<12>;

// "S<N>Mixer" in "Mixers", help topic 1014.
template <int N>
class VTStereoMixerMaker : public VTContraptionMakerTemplate<VTStereoMixerOf<N>> {
public:
    VTStereoMixerMaker()
        : VTContraptionMakerTemplate<VTStereoMixerOf<N>>(
              "S" + std::to_string(N) + "Mixer", "Mixers", 1014,
              VTContraptionMaker::Naming::Numbered, VTContraptionMaker::Editor::Present) {}
};
