#include "LibraryBenchSupport.h"
#include "library/effects/VTRingAM.h"

namespace {

using namespace vantrel::bench;

// Default: ring modulation of inlet 0 by the internal sine. AM: the shifted sine. Heaviest:
// both inlets connected, so both inputs are conditioned.
void BM_RingAM(benchmark::State& state) {
    VTRingAM ring;
    Inputs inputs(2);
    if (state.range(0) == 2) {
        inputs.plugAll(ring);
    } else {
        inputs.plugAll(ring);
        ring.inlet(1).signal = &SGZeroSignal;
        ring.am.setValue(state.range(0) == 1);
    }
    runBlocks(state, ring);
}
BENCHMARK(BM_RingAM)->ArgName("mode")->Arg(0)->Arg(1)->Arg(2);

}  // namespace
