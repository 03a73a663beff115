#include "LibraryBenchSupport.h"
#include "library/generators/VTAdditive10.h"

namespace {

using namespace vantrel::bench;

// Default: a new oscillator (silent, but every phasor runs). Heaviest: all ten harmonics
// sounding while the fundamental glides.
void BM_Additive10(benchmark::State& state) {
    VTAdditive10 osc;
    const bool heaviest = state.range(0) != 0;
    if (heaviest) {
        osc.gain.setValue(0.8);
        for (auto& a : osc.amps) a.setValue(0.5);
    }
    int block = 0;
    for (auto _ : state) {
        if (heaviest && (block++ % 64) == 0) osc.frequency.setValue((block & 64) ? 300.0 : 150.0);
        osc.process();
        benchmark::DoNotOptimize(osc.outletSignal(0).samples());
        benchmark::ClobberMemory();
    }
    reportPerSample(state);
}
BENCHMARK(BM_Additive10)->ArgName("heaviest")->Arg(0)->Arg(1);

}  // namespace
