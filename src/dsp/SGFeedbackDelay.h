#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>

#include "dsp/SGVInterp.h"
#include "sgopt/SGOpt.h"
#include "signal/SGSignal.h"

// What the feedback comb and the all-pass share: a ring of whole blocks written one sample at a
// time with the delayed signal fed back into it, read at a fractional delay that glides, and a
// feedback gain that glides. Slot length is a copy of slot 0, written together with it, so the
// interpolation between the last slot and the first reads inside the ring.
//
// Owners set both ramps with SGVInterp::setTarget and SGBlockSize steps: the delay in samples,
// the feedback as a linear gain. They keep the delay within 1 ... length - 1 samples; a delay
// outside 0 ... length - 1 is held at the nearer end, so no value reads outside the ring. Below
// one sample the read reaches the slot about to be written, which still holds the sample of one
// ring ago: a feedback delay needs at least one sample.
class SGFeedbackDelay {
public:
    SGFeedbackDelay(const SGFeedbackDelay&) = delete;
    SGFeedbackDelay& operator=(const SGFeedbackDelay&) = delete;

    // The tuning frequency in Hz that the owner derives delay and feedback from; the ring itself
    // never reads it.
    double frequency() const { return frequency_; }
    void setFrequency(double hz) { frequency_ = hz; }

    SGVInterp& delay() { return delay_; }
    const SGVInterp& delay() const { return delay_; }
    SGVInterp& feedback() { return feedback_; }
    const SGVInterp& feedback() const { return feedback_; }

    // Builds a new, silent ring for another maximum delay. It allocates, so owners call it when
    // a parameter that sizes the ring changes, never while a block is processed.
    void resize(double maxDelaySeconds);
    // Silences the ring and starts writing at slot 0 again; the ramps keep their values.
    void clear();

    std::uint32_t length() const { return length_; }
    std::int32_t writeIndex() const { return writeIndex_; }
    // The length() + 1 slots, the last being the copy of slot 0.
    const float* buffer() const { return buffer_.get(); }

protected:
    explicit SGFeedbackDelay(double maxDelaySeconds);

    // The delay a read may use: in 0 ... length - 1, not-a-number read as 0.
    float boundedDelay(float d) const {
        d = d > 0.0f ? d : 0.0f;
        return d < maxDelay_ ? d : maxDelay_;
    }

    // The write position for a block. A ring that was filled to its end goes on at slot 0; a
    // read there is the read at the end of the ring (the guard then serves as slot length).
    std::int32_t blockStart() const {
        return writeIndex_ == static_cast<std::int32_t>(length_) ? 0 : writeIndex_;
    }

    // One block at the delay the ramp reaches this block. For each sample i the delayed value y
    // is read first; then step(y, in[i], gain[i], buffer[w + i], out[i]) writes the ring slot
    // and the output sample, gain[i] being the feedback ramp's value at that sample as a Gain.
    template <class Gain, class Step>
    void processBlockDelayWith(const SGSignal& in, SGSignal& out, Step step);

    // y[k] for k = 0 ... n - 1: the delayed values of the samples written at slots w0 + k, read c
    // slots back and interpolated by frac towards the newer neighbour.
    void readRun(std::int32_t w0, std::int32_t c, float frac, std::int32_t n, float* y) const;

    float* slots() { return buffer_.get(); }

    // Below this many samples a run costs more than it saves.
    static constexpr std::int32_t kShortRun = 8;

    std::int32_t writeIndex_ = 0;

private:
    double frequency_ = 440.0;
    SGVInterp delay_;
    SGVInterp feedback_;
    std::uint32_t length_ = 0;
    float maxDelay_ = 0.0f;
    std::unique_ptr<float[]> buffer_;
};

template <class Gain, class Step>
void SGFeedbackDelay::processBlockDelayWith(const SGSignal& in, SGSignal& out, Step step) {
    delay_.advanceBlock();
    const float d = boundedDelay(static_cast<float>(delay_.current()));
    const std::int32_t c = SGTruncate(d + 1.0f);
    const float frac = static_cast<float>(c) - d;

    Gain gains[SGBlockSize];
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) gains[i] = static_cast<Gain>(feedback_.next());

    const std::int32_t w = blockStart();
    float* b = buffer_.get();
    const float* x = in.samples();
    float* o = out.samples();
    constexpr auto kB = static_cast<std::int32_t>(SGBlockSize);
    // A sample's read reaches back c slots, so it sees what this block writes only from c - 1
    // samples on. Runs of c - 1 samples are therefore read whole and then written whole, which is
    // the sample-by-sample order and lets both halves vectorise; the long reverb combs take the
    // whole block as one run. Delays of a few samples go sample by sample.
    const std::int32_t run = c - 1;
    if (run < kShortRun) {
        const auto l = static_cast<std::int32_t>(length_);
        for (std::int32_t i = 0; i < kB; ++i) {
            std::int32_t idx = w + i - c;
            if (idx < 0) idx += l;
            const float yi = b[idx] + (b[idx + 1] - b[idx]) * frac;
            step(yi, x[i], gains[i], b[w + i], o[i]);
            if (w + i == 0) b[l] = b[0];
        }
    } else {
        float y[SGBlockSize];
        for (std::int32_t start = 0; start < kB; start += run) {
            const std::int32_t n = std::min(run, kB - start);
            readRun(w + start, c, frac, n, y + start);
            float* slot = b + w;
            for (std::int32_t i = start; i < start + n; ++i)
                step(y[i], x[i], gains[i], slot[i], o[i]);
            // Slot 0 is written at the first sample of the block; no read of this run reached
            // the guard after it, as the guard lies c - 1 samples on.
            if (start == 0 && w == 0) b[length_] = b[0];
        }
    }
    writeIndex_ = w + kB;
}
