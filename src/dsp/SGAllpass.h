#pragma once

#include "dsp/SGFeedbackDelay.h"

// A feedback section of the comb's shape with an all-pass style output: the ring takes the
// input plus g times the delayed signal, and the output is the delayed signal times (1 - g^2)
// minus the input. The input reaches the output at once with gain -1 (not -g), which the reverb
// is voiced for.
class SGAllpass : public SGFeedbackDelay {
public:
    explicit SGAllpass(double maxDelaySeconds) : SGFeedbackDelay(maxDelaySeconds) {}

    // The delay moves once a block, the gain glides sample by sample; in and out may be the same
    // block.
    void processBlockDelay(const SGSignal& in, SGSignal& out);
};
