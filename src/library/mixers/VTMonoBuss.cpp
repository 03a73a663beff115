#include "library/mixers/VTMonoBuss.h"

#include "library/VTInlets.h"

void VTMonoBuss::process() {
    SGSignal& out = outletSignal(0);
    bool written = false;
    for (int i = 0; i < inletCount(); ++i) {
        const SGSignal& in = inletSignal(i);
        if (!isConnectedInlet(in)) continue;
        if (written)
            out.add(in);
        else
            out.assign(in);
        written = true;
    }
    if (!written) out.fill(0.0f);
}
