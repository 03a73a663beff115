#include "library/mixers/VTMonoMixer.h"

#include "library/VTInlets.h"

void VTMonoMixer::process() {
    const bool masterChanged = masterGain.testAndClearChanged();
    SGSignal& out = outletSignal(0);
    bool first = true;
    for (int i = 0; i < channelCount(); ++i) {
        const SGSignal& in = inletSignal(i);
        if (!isConnectedInlet(in)) continue;
        retarget(i, masterChanged);
        if (first)
            rampOf(i).applyTo(in, out);
        else
            rampOf(i).addTo(in, out);
        first = false;
    }
    if (first) out.fill(0.0f);
}
