#include "library/mixers/VTStereoMixer.h"

#include "library/VTInlets.h"

namespace {

// The ramp's values for one block, each rounded to single precision. The ramp is a running sum
// and is taken step by step; a ramp at rest gives one constant, so the mixing loops that use
// the values always vectorise.
void rampValues(SGVInterp& ramp, float* v) {
    if (ramp.remaining() <= 0) {
        const float c = static_cast<float>(ramp.current());
        for (std::uint32_t s = 0; s < SGBlockSize; ++s) v[s] = c;
        return;
    }
    for (std::uint32_t s = 0; s < SGBlockSize; ++s) v[s] = static_cast<float>(ramp.next());
}

void mixScaled(SGSignal& out, const SGSignal& in, const float* v, bool first) {
    float* d = out.samples();
    const float* x = in.samples();
    if (first)
        for (std::uint32_t s = 0; s < SGBlockSize; ++s) d[s] = x[s] * v[s];
    else
        for (std::uint32_t s = 0; s < SGBlockSize; ++s) d[s] = d[s] + x[s] * v[s];
}

}  // namespace

void VTStereoMixer::process() {
    // Every channel follows its gain, connected or not.
    const bool masterChanged = masterGain.testAndClearChanged();
    for (int k = 0; k < channelCount(); ++k) retarget(k, masterChanged);

    SGSignal& left = outletSignal(0);
    SGSignal& right = outletSignal(1);
    bool first = true;
    float v[SGBlockSize];
    for (int k = 0; k < channelCount(); ++k) {
        const SGSignal& l = inletSignal(2 * k);
        const SGSignal& r = inletSignal(2 * k + 1);
        const bool hasLeft = isConnectedInlet(l);
        const bool hasRight = isConnectedInlet(r);
        if (!hasLeft && !hasRight) continue;
        rampValues(rampOf(k), v);
        mixScaled(left, hasLeft ? l : r, v, first);
        mixScaled(right, hasRight ? r : l, v, first);
        first = false;
    }
    if (first) {
        left.fill(0.0f);
        right.fill(0.0f);
    }
}
