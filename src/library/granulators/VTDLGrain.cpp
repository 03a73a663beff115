#include "library/granulators/VTDLGrain.h"

#include <algorithm>

namespace {

// The envelope runs on sample by sample, as a running sum; left and right take the same
// product, the right scaled by the pan ratio.
void addRamp(const float* in, float* l, float* r, std::int32_t i, std::int32_t n, float& env,
             float step, float ratio) {
    float e = env;
    for (std::int32_t k = i; k < i + n; ++k) {
        const float d = in[k] * e;
        l[k] += d;
        r[k] += d * ratio;
        e += step;
    }
    env = e;
}

void addFlat(const float* in, float* __restrict l, float* __restrict r, std::int32_t i,
             std::int32_t n, float env, float ratio) {
    for (std::int32_t k = i; k < i + n; ++k) {
        const float d = in[k] * env;
        l[k] += d;
        r[k] += d * ratio;
    }
}

}  // namespace

void VTDLGrain::setEnvelope(double d, double attDec, double skew) {
    auto whole = [](double v) { return v > 0.0 ? static_cast<std::int32_t>(v) : 0; };
    sustain = whole(d * attDec);
    attack = whole((d - sustain) * skew);
    release = whole(d - sustain - attack);
}

bool VTDLGrain::render(SGSignal& scratch, SGSignal& left, SGSignal& right) {
    constexpr auto B = static_cast<std::int32_t>(SGBlockSize);
    if (onset >= B) {
        onset -= B;
        return true;
    }
    line->readResampled(scratch, delay, rate);
    std::int32_t i = 0;
    if (state == Waiting) {
        i = onset;
        onset = 0;
        state = Attack;
    }
    const float* in = scratch.samples();
    float* l = left.samples();
    float* r = right.samples();
    if (state == Attack) {
        const std::int32_t n = std::min(B - i, attack);
        attack -= n;
        addRamp(in, l, r, i, n, envelope, slope, ratio);
        i += n;
        if (attack > 0) return true;
        state = Sustain;
    }
    if (state == Sustain) {
        const std::int32_t n = std::min(B - i, sustain);
        sustain -= n;
        addFlat(in, l, r, i, n, envelope, ratio);
        i += n;
        if (sustain > 0) return true;
        slope = envelope / static_cast<float>(release);
        state = Release;
    }
    if (state == Release) {
        const std::int32_t n = std::min(B - i, release);
        release -= n;
        addRamp(in, l, r, i, n, envelope, -slope, ratio);
        if (release == 0) state = Finished;
    }
    return state != Finished;
}
