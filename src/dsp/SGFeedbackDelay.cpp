#include "dsp/SGFeedbackDelay.h"

#include "dsp/SGRingLength.h"

SGFeedbackDelay::SGFeedbackDelay(double maxDelaySeconds) { resize(maxDelaySeconds); }

void SGFeedbackDelay::resize(double maxDelaySeconds) {
    // One block beyond the delay: the ring fills to its end only at a block boundary.
    length_ = SGRingLength(maxDelaySeconds, 1);
    // Every slot count below SGMaxRingSeconds is exact as a float.
    maxDelay_ = static_cast<float>(length_ - 1);
    buffer_ = std::make_unique<float[]>(length_ + 1);  // zeroed
    writeIndex_ = 0;
}

void SGFeedbackDelay::clear() {
    std::fill_n(buffer_.get(), length_ + 1, 0.0f);
    writeIndex_ = 0;
}

void SGFeedbackDelay::readRun(std::int32_t w0, std::int32_t c, float frac, std::int32_t n,
                              float* __restrict y) const {
    const auto l = static_cast<std::int32_t>(length_);
    std::int32_t s = w0 - c;
    if (s < 0) s += l;
    const float* b = buffer_.get();
    // The run wraps from slot length - 1 (whose neighbour is the guard) to slot 0 at most once.
    const std::int32_t first = std::min(n, l - s);
    const float* r = b + s;
    for (std::int32_t k = 0; k < first; ++k) y[k] = r[k] + (r[k + 1] - r[k]) * frac;
    for (std::int32_t k = first; k < n; ++k) {
        const std::int32_t j = k - first;
        y[k] = b[j] + (b[j + 1] - b[j]) * frac;
    }
}
