#pragma once

#include <string>

#include "contraptions/VTContraptionMakerTemplate.h"
#include "library/mixers/VTGainMixer.h"

// N mono inlets, each under its own gain, summed into one outlet under the master gain.
// Unconnected inlets are skipped, and so are their gains: a gain changed while its inlet is
// unconnected takes effect in the first block after it is connected.
class VTMonoMixer : public VTGainMixer {
public:
    void process() override;

protected:
    explicit VTMonoMixer(int channels) : VTGainMixer(channels, channels, 1) {}
};

template <int N>
class VTMonoMixerOf final : public VTMonoMixer {
    static_assert(N >= 1 && N <= kMaxChannels);

public:
    VTMonoMixerOf() : VTMonoMixer(N) {}

    SGPropertyTable& propertyTable() override {
        static SGStaticPropertyTable::ClassInfo info;
        return bindTable(info);
    }
};

using VTM2Mixer = VTMonoMixerOf<2>;
using VTM3Mixer = VTMonoMixerOf<3>;
using VTM4Mixer = VTMonoMixerOf<4>;
using VTM6Mixer = VTMonoMixerOf<6>;
using VTM8Mixer = VTMonoMixerOf<8>;
using VTM12Mixer = VTMonoMixerOf<12>;

// "M<N>Mixer" in "Mixers", help topic 1016.
template <int N>
class VTMonoMixerMaker : public VTContraptionMakerTemplate<VTMonoMixerOf<N>> {
public:
    VTMonoMixerMaker()
        : VTContraptionMakerTemplate<VTMonoMixerOf<N>>("M" + std::to_string(N) + "Mixer", "Mixers",
                                                       1016, VTContraptionMaker::Naming::Numbered,
                                                       VTContraptionMaker::Editor::Present) {}
};
