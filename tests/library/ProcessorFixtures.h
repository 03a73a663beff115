#pragma once

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionFactory.h"
#include "contraptions/VTContraptionMaker.h"
#include "makers/VTMakerTable.h"
#include "params/SGSignalProcessor.h"
#include "signal/SGSignal.h"

// Helpers for driving one processor by hand, without a signal context: an inlet is "connected"
// by pointing it at a block, as a single connection does.
namespace vantrel::test {

inline void plug(SGSignalProcessor& p, int inlet, const SGSignal& block) {
    p.inlet(inlet).signal = &block;
}
inline void unplug(SGSignalProcessor& p, int inlet) { p.inlet(inlet).signal = &SGZeroSignal; }

// A block of distinct, non-trivial values, different for every seed.
inline SGSignal testBlock(int seed) {
    SGSignal b;
    for (std::uint32_t i = 0; i < SGBlockSize; ++i)
        b[i] =
            static_cast<float>(std::sin(0.05 * (i + 1) * (seed + 1) + seed) * (0.3 + 0.1 * seed));
    return b;
}

// Fills every outlet with a value no processor writes, so tests see what is overwritten.
inline void scribble(SGSignalProcessor& p) {
    for (int j = 0; j < p.outletCount(); ++j) p.outletSignal(j).fill(7.0f);
}

inline std::vector<float> samples(const SGSignal& s) {
    return std::vector<float>(s.samples(), s.samples() + SGBlockSize);
}

// "M" 4 "Mixer" gives "M4Mixer".
inline std::string kindName(const char* prefix, int n, const char* suffix) {
    std::string name = prefix;
    name += std::to_string(n);
    name += suffix;
    return name;
}

// The kind's processor built through the factory, as the "New" menu builds it.
inline std::unique_ptr<VTContraption> makeKind(const std::string& makerName) {
    registerAllMakers();
    return VTContraptionFactory::instance().createContraption(makerName, {});
}

}  // namespace vantrel::test
