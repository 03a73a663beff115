#include "library/granulators/VTBubbleGrain.h"

#include <algorithm>
#include <cmath>

#include "sgopt/SGOpt.h"

namespace {
constexpr float kScale = 1.0f / 32768.0f;
}

void VTBubbleGrain::fillScratch(float* l, float* r, std::uint32_t i) {
    // The read positions are a running sum and are taken one by one; their integer parts then
    // go to the optimised routine as a block, and the interpolation runs over the block.
    double positions[SGBlockSize];
    float rounded[SGBlockSize];
    std::int32_t whole[SGBlockSize];
    const double end = frames;
    std::uint32_t m = 0;
    for (; i + m < SGBlockSize && position < end; ++m) {
        positions[m] = position;
        rounded[m] = static_cast<float>(position);
        position = position + rate;
    }
    if (m > 0) SGTruncateBlock(rounded, whole, m);
    const std::int16_t* d = data;
    float* lo = l + i;
    float* ro = r + i;
    if (stereo) {
        for (std::uint32_t k = 0; k < m; ++k) {
            const std::int32_t p = whole[k];
            const auto f = static_cast<float>(positions[k] - p);
            const float a = d[2 * p], b = d[2 * p + 2], c = d[2 * p + 1], e = d[2 * p + 3];
            lo[k] = (a + (b - a) * f) * kScale;
            ro[k] = (c + (e - c) * f) * kScale;
        }
    } else {
        for (std::uint32_t k = 0; k < m; ++k) {
            const std::int32_t p = whole[k];
            const auto f = static_cast<float>(positions[k] - p);
            const float a = d[p], b = d[p + 1];
            lo[k] = ro[k] = (a + (b - a) * f) * kScale;
        }
    }
    for (i += m; i < SGBlockSize; ++i) l[i] = r[i] = 0.0f;
}

void VTBubbleGrain::addEnvelope(const float* sl, const float* sr, float* l, float* r,
                                std::uint32_t j, std::uint32_t n) {
    // The phasor turns by U per sample; its y runs from -1 to 1 (or back), so y + 1 is the
    // raised cosine from 0 to 2.
    float px = x, py = y;
    const float s = sinU, c = cosU;
    for (std::uint32_t k = j; k < j + n; ++k) {
        const float nx = c * px - s * py;
        const float ny = px * s + c * py;
        px = nx;
        py = ny;
        const float env = ny + 1.0f;
        l[k] += sl[k] * env * leftGain;
        r[k] += sr[k] * env * rightGain;
    }
    x = px;
    y = py;
}

void VTBubbleGrain::setEnvelope(float d, double attDec, double skew) {
    auto whole = [](double v) { return v > 0.0 ? static_cast<std::uint32_t>(v) : 0u; };
    sustain = whole(d * attDec);
    attack = std::max(1u, whole((d - sustain) * skew));
    release = std::max(1u, whole(static_cast<double>(d) - sustain - attack));
}

bool VTBubbleGrain::render(SGSignal& scratchL, SGSignal& scratchR, SGSignal& left,
                           SGSignal& right) {
    constexpr auto B = static_cast<std::int32_t>(SGBlockSize);
    if (onset > B) {
        onset -= B;
        return true;
    }
    const auto start = static_cast<std::uint32_t>(onset > 0 ? onset : 0);
    float* sl = scratchL.samples();
    float* sr = scratchR.samples();
    if (data != nullptr && frames > 0)
        fillScratch(sl, sr, start);
    else
        std::fill_n(sl, SGBlockSize, 0.0f), std::fill_n(sr, SGBlockSize, 0.0f);
    float* l = left.samples();
    float* r = right.samples();
    std::uint32_t j = start;
    onset = 0;
    if (state == Attack) {
        const std::uint32_t n = std::min(SGBlockSize - j, attack);
        attack -= n;
        addEnvelope(sl, sr, l, r, j, n);
        j += n;
        if (attack > 0) return true;
        state = Sustain;
    }
    if (state == Sustain) {
        const std::uint32_t n = std::min(SGBlockSize - j, sustain);
        sustain -= n;
        // Doubling is exact, so the gains may be doubled once for the block.
        const float gl = 2.0f * leftGain, gr = 2.0f * rightGain;
        for (std::uint32_t k = j; k < j + n; ++k) {
            l[k] += sl[k] * gl;
            r[k] += sr[k] * gr;
        }
        j += n;
        if (sustain > 0) return true;
        state = Release;
        const float u = 3.1415925f / static_cast<float>(release);
        sinU = static_cast<float>(std::sin(static_cast<double>(u)));
        cosU = static_cast<float>(std::cos(static_cast<double>(u)));
        x = 0.0f;
        y = 1.0f;
    }
    if (state == Release) {
        const std::uint32_t n = std::min(SGBlockSize - j, release);
        if (n >= release) state = Finished;
        release -= n;
        addEnvelope(sl, sr, l, r, j, n);
    }
    return state != Finished;
}
