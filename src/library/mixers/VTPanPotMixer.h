#pragma once

#include <array>
#include <string>

#include "contraptions/VTContraptionMakerTemplate.h"
#include "dsp/SGFunctionTable.h"
#include "dsp/SGTableFunction.h"
#include "dsp/SGVInterp.h"
#include "params/SGDoubleProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"

// N mono inlets, each with a gain and a pan position, mixed into a left and a right outlet
// under the master gain. The pan law keeps a centred channel at unity on both sides. The
// properties are "MasterGain", then "Gain_"k and "Pan_"k for each channel in turn.
class VTPanPotMixer : public SGSignalProcessor {
public:
    static constexpr int kMaxChannels = 12;
    static constexpr std::uint32_t kPanTableSize = 1024;

    void process() override;

    int channelCount() const { return channels_; }
    // The gain of one side of the pan law at position x (0 = that side only).
    float pan(double x) const { return panLaw_.lookup(x); }
    const SGVInterp& leftRamp(int channel) const { return leftRamps_[channel]; }
    const SGVInterp& rightRamp(int channel) const { return rightRamps_[channel]; }

    SGDoubleProperty masterGain{0.0};
    // Only the first channelCount() of each exist in the property table.
    std::array<SGDoubleProperty, kMaxChannels> gains;
    std::array<SGDoubleProperty, kMaxChannels> pans;

protected:
    explicit VTPanPotMixer(int channels);

    SGPropertyTable& bindTable(SGStaticPropertyTable::ClassInfo& info);

private:
    void retarget(int channel, bool masterChanged);

    int channels_;
    SGStaticPropertyTable table_;
    SGFunctionTable panTable_{kPanTableSize};
    SGTableFunction panLaw_{panTable_};
    std::array<SGVInterp, kMaxChannels> leftRamps_;
    std::array<SGVInterp, kMaxChannels> rightRamps_;
};

template <int N>
class VTPanPotMixerOf final : public VTPanPotMixer {
    static_assert(N >= 1 && N <= kMaxChannels);

public:
    VTPanPotMixerOf() : VTPanPotMixer(N) {}

    SGPropertyTable& propertyTable() override {
        static SGStaticPropertyTable::ClassInfo info;
        return bindTable(info);
    }
};

using VTP2Mixer = VTPanPotMixerOf<2>;
using VTP3Mixer = VTPanPotMixerOf<3>;
using VTP4Mixer = VTPanPotMixerOf<4>;
using VTP6Mixer = VTPanPotMixerOf<6>;
using VTP8Mixer = VTPanPotMixerOf<8>;
using VTP12Mixer = VTPanPotMixerOf<12>;

// "P<N>Mixer" in "Mixers", help topic 1015.
template <int N>
class VTPanPotMixerMaker : public VTContraptionMakerTemplate<VTPanPotMixerOf<N>> {
public:
    VTPanPotMixerMaker()
        : VTContraptionMakerTemplate<VTPanPotMixerOf<N>>(
              "P" + std::to_string(N) + "Mixer", "Mixers", 1015,
              VTContraptionMaker::Naming::Numbered, VTContraptionMaker::Editor::Present) {}
};
