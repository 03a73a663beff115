#include "dsp/SGComb.h"

template <class Emit>
void SGComb::processGliding(const SGSignal& in, SGSignal& out, Emit emit) {
    // The ramps are running sums and step one by one; what depends only on them is then taken
    // for the whole block, the truncations in one call.
    float d[SGBlockSize];
    float dPlusOne[SGBlockSize];
    std::int32_t c[SGBlockSize];
    float frac[SGBlockSize];
    double g[SGBlockSize];
    for (std::uint32_t i = 0; i < SGBlockSize; ++i)
        d[i] = boundedDelay(static_cast<float>(delay().next()));
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) dPlusOne[i] = d[i] + 1.0f;
    SGTruncateBlock(dPlusOne, c, SGBlockSize);
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) frac[i] = static_cast<float>(c[i]) - d[i];
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) g[i] = feedback().next();

    // The delay may be shorter than the block, so each read may see the write just before it:
    // this loop stays sample by sample.
    const auto l = static_cast<std::int32_t>(length());
    const std::int32_t w = blockStart();
    float* b = slots();
    const float* x = in.samples();
    float* o = out.samples();
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(SGBlockSize); ++i) {
        std::int32_t idx = w + i - c[i];
        if (idx < 0) idx += l;
        const float y = b[idx] + (b[idx + 1] - b[idx]) * frac[i];
        const float xi = x[i];
        emit(o[i], y);
        b[w + i] = static_cast<float>(g[i] * y + xi);
        if (w + i == 0) b[l] = b[0];
    }
    writeIndex_ = w + static_cast<std::int32_t>(SGBlockSize);
}

void SGComb::process(const SGSignal& in, SGSignal& out) {
    processGliding(in, out, [](float& o, float y) { o = y; });
}

void SGComb::processAdd(const SGSignal& in, SGSignal& out, float gain) {
    processGliding(in, out, [gain](float& o, float y) { o = o + gain * y; });
}

void SGComb::processBlockDelay(const SGSignal& in, SGSignal& out) {
    processBlockDelayWith<double>(in, out, [](float y, float x, double g, float& slot, float& o) {
        slot = static_cast<float>(g * y + x);
        o = y;
    });
}
