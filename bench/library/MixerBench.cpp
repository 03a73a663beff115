#include "LibraryBenchSupport.h"
#include "library/mixers/VTCrossfader.h"
#include "library/mixers/VTMonoBuss.h"
#include "library/mixers/VTMonoMixer.h"
#include "library/mixers/VTPanPotMixer.h"
#include "library/mixers/VTStereoBuss.h"
#include "library/mixers/VTStereoMixer.h"

namespace {

using namespace vantrel::bench;

// Default: a new contraption as the menu makes it, nothing connected. Heaviest: every inlet
// connected and, for the mixers, every gain changing every block so that every ramp glides.

template <typename Buss>
void BM_Buss(benchmark::State& state) {
    Buss buss(static_cast<int>(state.range(0)));
    Inputs inputs(24);
    if (state.range(1)) inputs.plugAll(buss);
    runBlocks(state, buss);
}
BENCHMARK(BM_Buss<VTMonoBuss>)->ArgNames({"N", "all"})->Args({2, 0})->Args({12, 1})->Args({2, 1});
BENCHMARK(BM_Buss<VTStereoBuss>)->ArgNames({"N", "all"})->Args({2, 0})->Args({12, 1})->Args({2, 1});

template <typename Mixer>
void BM_Mixer(benchmark::State& state) {
    Mixer mixer;
    Inputs inputs(24);
    const bool heaviest = state.range(0) != 0;
    if (heaviest) {
        inputs.plugAll(mixer);
        mixer.masterGain.setValue(0.9);
    }
    int block = 0;
    for (auto _ : state) {
        if (heaviest)
            for (auto& g : mixer.gains) g.setValue((block & 1) ? 0.5 : 0.75);
        ++block;
        mixer.process();
        benchmark::DoNotOptimize(mixer.outletSignal(0).samples());
        benchmark::ClobberMemory();
    }
    reportPerSample(state);
}
BENCHMARK(BM_Mixer<VTM2Mixer>)->ArgName("all")->Arg(0)->Arg(1);
BENCHMARK(BM_Mixer<VTM12Mixer>)->ArgName("all")->Arg(0)->Arg(1);
BENCHMARK(BM_Mixer<VTS2Mixer>)->ArgName("all")->Arg(0)->Arg(1);
BENCHMARK(BM_Mixer<VTS12Mixer>)->ArgName("all")->Arg(0)->Arg(1);
BENCHMARK(BM_Mixer<VTP2Mixer>)->ArgName("all")->Arg(0)->Arg(1);
BENCHMARK(BM_Mixer<VTP12Mixer>)->ArgName("all")->Arg(0)->Arg(1);

// Settled gains with every inlet connected: the ramps have arrived.
template <typename Mixer>
void BM_MixerSettled(benchmark::State& state) {
    Mixer mixer;
    Inputs inputs(24);
    inputs.plugAll(mixer);
    mixer.masterGain.setValue(0.9);
    for (auto& g : mixer.gains) g.setValue(0.5);
    mixer.process();
    mixer.process();
    runBlocks(state, mixer);
}
BENCHMARK(BM_MixerSettled<VTM12Mixer>);
BENCHMARK(BM_MixerSettled<VTS12Mixer>);
BENCHMARK(BM_MixerSettled<VTP12Mixer>);

void BM_Crossfader(benchmark::State& state) {
    VTCrossfader x;
    Inputs inputs(4);
    if (state.range(0)) inputs.plugAll(x);
    x.fade.setValue(0.4);
    runBlocks(state, x);
}
BENCHMARK(BM_Crossfader)->ArgName("all")->Arg(0)->Arg(1);

}  // namespace
