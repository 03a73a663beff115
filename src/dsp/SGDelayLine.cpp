#include "dsp/SGDelayLine.h"

#include <algorithm>
#include <cmath>

#include "dsp/SGRingLength.h"
#include "sgopt/SGOpt.h"

SGDelayLine::SGDelayLine(double maxDelaySeconds) { resize(maxDelaySeconds); }

void SGDelayLine::resize(double maxDelaySeconds) {
    // Two blocks beyond the delay: one for the block being written, one for the interpolation.
    length_ = SGRingLength(maxDelaySeconds, 2);
    buffer_ = std::make_unique<float[]>(length_ + 1);  // zeroed
    writeIndex_ = 0;
}

void SGDelayLine::clear() { std::fill_n(buffer_.get(), length_ + 1, 0.0f); }

void SGDelayLine::write(const SGSignal& block) {
    float* __restrict d = buffer_.get() + writeIndex_;
    const float* __restrict s = block.samples();
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) d[i] = s[i];
    if (writeIndex_ == 0) buffer_[length_] = buffer_[0];
    writeIndex_ += static_cast<std::int32_t>(SGBlockSize);
    if (writeIndex_ >= static_cast<std::int32_t>(length_)) writeIndex_ = 0;
}

double SGDelayLine::wrapPosition(double p) const {
    const double l = length_;
    // Within the owners' range one addition is the rule. The additions are bounded and a
    // remainder takes over beyond them, so a delay many rings long (or an absurd one) neither
    // stalls the audio thread nor reads outside the ring.
    for (int k = 0; k < 4 && p < 0.0; ++k) p += l;
    if (!(p >= 0.0 && p < l)) {
        p = std::fmod(p, l);
        if (p < 0.0) p += l;
        if (!(p >= 0.0 && p < l)) p = 0.0;  // not a number, or a remainder rounded up to l
    }
    return p;
}

double SGDelayLine::startPosition(double delaySeconds) const {
    return wrapPosition(writeIndex_ - delaySeconds * SGSampleRate);
}

void SGDelayLine::readFixed(SGSignal& out, double delaySeconds) const {
    const double p = startPosition(delaySeconds);
    const auto e = static_cast<std::uint32_t>(p);
    // The fraction is fixed for the block and taken in single precision like the samples.
    const float frac = static_cast<float>(p - e);
    const float* b = buffer_.get();
    float* __restrict d = out.samples();
    // The block's reads run on from e and wrap to slot 0 at most once; slot length (the guard)
    // serves as the right-hand neighbour of the last slot. Both runs vectorise.
    const std::uint32_t first = std::min(SGBlockSize, length_ - e);
    const float* r = b + e;
    for (std::uint32_t i = 0; i < first; ++i) d[i] = (r[i + 1] - r[i]) * frac + r[i];
    d += first;
    for (std::uint32_t i = 0; i < SGBlockSize - first; ++i) d[i] = (b[i + 1] - b[i]) * frac + b[i];
}

float SGDelayLine::readAt(double delaySeconds) const {
    // A position that rounds up to length in single precision reads the guard, slot 0's copy.
    return SGInterpLookup(buffer_.get(), static_cast<float>(startPosition(delaySeconds)));
}

void SGDelayLine::readResampled(SGSignal& out, double& delaySeconds, double rate) const {
    double p = writeIndex_ - delaySeconds * SGSampleRate;
    delaySeconds = delaySeconds - (rate - 1.0) * SGBlockSize / SGSampleRate;
    p = wrapPosition(p);
    const double l = length_;
    // The positions are a running sum and are taken one by one; the lookups then go as a block.
    float positions[SGBlockSize];
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        positions[i] = static_cast<float>(p);
        p = p + rate;
        if (p >= l) p = p - l;
        // Only a rate beyond the ring, a backward rate or not-a-number gets here.
        if (!(p >= 0.0 && p < l)) p = wrapPosition(p);
    }
    SGInterpLookupBlock(buffer_.get(), positions, out.samples(), SGBlockSize);
}
