#include "library/mixers/VTStereoBuss.h"

#include "library/VTInlets.h"

namespace {

void mixInto(SGSignal& out, const SGSignal& in, bool first) {
    if (first)
        out.assign(in);
    else
        out.add(in);
}

}  // namespace

void VTStereoBuss::process() {
    SGSignal& left = outletSignal(0);
    SGSignal& right = outletSignal(1);
    bool first = true;
    for (int k = 0; 2 * k + 1 < inletCount(); ++k) {
        const SGSignal& l = inletSignal(2 * k);
        const SGSignal& r = inletSignal(2 * k + 1);
        const bool hasLeft = isConnectedInlet(l);
        const bool hasRight = isConnectedInlet(r);
        if (!hasLeft && !hasRight) continue;
        mixInto(left, hasLeft ? l : r, first);
        mixInto(right, hasRight ? r : l, first);
        first = false;
    }
    if (first) {
        left.fill(0.0f);
        right.fill(0.0f);
    }
}
