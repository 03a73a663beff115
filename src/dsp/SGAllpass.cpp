#include "dsp/SGAllpass.h"

void SGAllpass::processBlockDelay(const SGSignal& in, SGSignal& out) {
    // The gain is taken in single precision, like the whole step.
    processBlockDelayWith<float>(in, out, [](float y, float x, float g, float& slot, float& o) {
        slot = y * g + x;
        o = y * (1.0f - g * g) - x;
    });
}
