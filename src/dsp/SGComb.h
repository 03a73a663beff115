#pragma once

#include "dsp/SGFeedbackDelay.h"

// A feedback comb filter: the ring is fed with the input plus the delayed signal times the
// feedback gain, and the delayed signal is the output. With feedback g and a delay of d samples
// an impulse comes back at d, 2d, 3d ... samples with amplitudes 1, g, g^2 ...
//
// In every operation in and out may be the same block: each input sample is read before the
// output sample of the same index is written.
class SGComb : public SGFeedbackDelay {
public:
    explicit SGComb(double maxDelaySeconds) : SGFeedbackDelay(maxDelaySeconds) {}

    // out = delayed signal; the delay and the feedback glide sample by sample.
    void process(const SGSignal& in, SGSignal& out);
    // out += gain * delayed signal; the delay and the feedback glide sample by sample.
    void processAdd(const SGSignal& in, SGSignal& out, float gain);
    // out = delayed signal; the delay moves once a block, the feedback glides sample by sample.
    void processBlockDelay(const SGSignal& in, SGSignal& out);

private:
    template <class Emit>
    void processGliding(const SGSignal& in, SGSignal& out, Emit emit);
};
