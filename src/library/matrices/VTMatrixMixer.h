#pragma once

#include <array>
#include <string>

#include "contraptions/VTContraptionMakerTemplate.h"
#include "params/SGBoolProperty.h"
#include "params/SGDoubleProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"

// A square routing matrix: a gate for every inlet and outlet pair switches that inlet onto that
// outlet, and each connection fades in and out over "FadeTime" milliseconds instead of
// clicking. The properties are "FadeTime", then the gates "Gate<inlet>_<outlet>" inlet by
// inlet. A new matrix passes nothing.
class VTMatrixMixer : public SGSignalProcessor {
public:
    static constexpr int kMaxSize = 8;

    void process() override;

    int size() const { return size_; }
    SGBoolProperty& gate(int inlet, int outlet) { return gates[inlet * size_ + outlet]; }
    float gain(int inlet, int outlet) const { return gains_[inlet * size_ + outlet]; }
    float pole() const { return pole_; }
    float inputGain() const { return inputGain_; }

    SGDoubleProperty fadeTime{50.0};
    // Inlet by inlet, outlet by outlet within each; only size() * size() are in the table.
    std::array<SGBoolProperty, kMaxSize * kMaxSize> gates;

protected:
    explicit VTMatrixMixer(int size);

    SGPropertyTable& bindTable(SGStaticPropertyTable::ClassInfo& info);

private:
    void updateCoefficients();
    // Moves the gains of the connections into one outlet through the block and writes the
    // outlet: inlet 0's product is assigned, the others' are added in inlet order.
    void mixOutlet(int outlet);
    static void addConstant(const SGSignal& in, float gain, SGSignal& out, bool first);
    static void addRamp(const SGSignal& in, const float* ramp, SGSignal& out, bool first);

    int size_;
    SGStaticPropertyTable table_;
    std::array<float, kMaxSize * kMaxSize> gains_{};
    float pole_ = 0.0f;
    float inputGain_ = 1.0f;
    // The gains of one outlet's gliding connections through the block, one row each.
    std::array<float, kMaxSize * SGBlockSize> ramps_{};
};

template <int N>
class VTMatrixMixerOf final : public VTMatrixMixer {
    static_assert(N >= 1 && N <= kMaxSize);

public:
    VTMatrixMixerOf() : VTMatrixMixer(N) {}

    SGPropertyTable& propertyTable() override {
        static SGStaticPropertyTable::ClassInfo info;
        return bindTable(info);
    }
};

using VT4x4Matrix = VTMatrixMixerOf<4>;
using VT8x8Matrix = VTMatrixMixerOf<8>;

// "4x4Matrix" and "8x8Matrix" in "Mixers", both with help topic 1023.
template <int N>
class VTMatrixMixerMaker : public VTContraptionMakerTemplate<VTMatrixMixerOf<N>> {
public:
    VTMatrixMixerMaker()
        : VTContraptionMakerTemplate<VTMatrixMixerOf<N>>(
              std::to_string(N) + "x" + std::to_string(N) + "Matrix", "Mixers", 1023,
              VTContraptionMaker::Naming::Numbered, VTContraptionMaker::Editor::Present) {}
};
