#include "signal/SGOutletLimiter.h"

SGOutletLimiter::SGOutletLimiter(SGDynSigPipe* p, std::int32_t o) : pipe(p), outlet(o) {
    noise.seedFromClock();
    noise.offset = -3.0517578125e-08;
    noise.scale = 6.103515625e-08;
}

void SGOutletLimiter::process(SGSignal& block) {
    noise.addToBlock(block);
    dcBlocker.processBlock(block);
    limit(block);
}

void SGOutletLimiter::limit(SGSignal& block) {
    float* d = block.samples();
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        float x = d[i];
        float a = x > 0.0f ? x : -x;
        --countdown;
        // Would the gain at the end of the running ramp still let this sample pass the
        // threshold? Then start a new attack towards the gain that maps it onto the threshold.
        if (a * (static_cast<float>(countdown) * gainStep + gain) > threshold) {
            gainStep = (1.0f / a - gain) / static_cast<float>(attackSamples);
            countdown = attackSamples;
            state = Attack;
        } else if (countdown < 1) {
            switch (state) {
                case Attack:
                    state = Hold;
                    gainStep = 0.0f;
                    countdown = holdSamples;
                    break;
                case Hold:
                    state = Release;
                    gainStep = (1.0f - gain) / static_cast<float>(releaseSamples);
                    countdown = releaseSamples;
                    break;
                case Release:
                    state = Idle;
                    gainStep = 0.0f;
                    countdown = releaseSamples;
                    break;
                case Idle:
                    // Idle has no ramp (gainStep is 0), so the count means nothing here; hold
                    // it at 0 rather than let it run down past the end of the integer range
                    // after hours of playing.
                    countdown = 0;
                    break;
            }
        }
        float y = x * gain;
        if (y > ceiling)
            y = ceiling;
        else if (y < -ceiling)
            y = -ceiling;
        d[i] = y;
        gain = gain + gainStep;
    }
}
