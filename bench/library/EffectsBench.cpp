#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>

#include "library/effects/VTCmixReverb.h"
#include "library/effects/VTFlanger.h"
#include "library/effects/VTPhaser.h"
#include "library/effects/VTSDelay.h"
#include "library/filters/VT5Combs.h"
#include "library/filters/VTMonoParametric.h"
#include "library/filters/VTStereoParametric.h"

namespace {

// A block of noise for every inlet; one block per iteration, reported per sample. The change
// step (if any) runs before every block, as a user sweeping a control or a controller would.
template <class Processor>
void runEffect(benchmark::State& state, Processor& p, int connectedInlets,
               const std::function<void(Processor&, int)>& change = {}) {
    SGSignal in[2];
    SGNoise noise;
    noise.setRange(-0.5, 0.5);
    for (auto& block : in) noise.fillBlock(block);
    for (int k = 0; k < connectedInlets; ++k) p.inlet(k).signal = &in[k];
    int block = 0;
    for (auto _ : state) {
        if (change) change(p, block++);
        p.process();
        benchmark::DoNotOptimize(p.outletSignal(0).samples());
        benchmark::ClobberMemory();
    }
    for (int k = 0; k < connectedInlets; ++k) p.inlet(k).signal = &SGZeroSignal;
    state.counters["ns/sample"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * SGBlockSize,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * SGBlockSize);
}

// Alternates between two values, so every block sees a change.
double toggle(int block, double a, double b) { return block % 2 ? a : b; }

void BM_ReverbDefault(benchmark::State& state) {
    VTCmixReverb p;
    runEffect(state, p, 1);
}
void BM_ReverbTimeChangingEveryBlock(benchmark::State& state) {
    VTCmixReverb p;
    runEffect<VTCmixReverb>(state, p, 1, [](VTCmixReverb& r, int b) {
        r.reverbTime.setValue(toggle(b, 0.1, 10.0));
        r.wetDryMix.setValue(toggle(b, 0.2, 0.8));
    });
}

void BM_FlangerDefault(benchmark::State& state) {
    VTFlanger p;
    runEffect(state, p, 1);
}
void BM_FlangerHeaviest(benchmark::State& state) {
    VTFlanger p;
    p.frequencyRange.setValue(20.0f, 4000.0f);
    runEffect<VTFlanger>(state, p, 1, [](VTFlanger& f, int b) {
        f.rate.setValue(toggle(b, 100.0, 99.0));
        f.feedback.setValue(toggle(b, 0.95, 0.9));
        f.wetDryMix.setValue(toggle(b, 0.5, 0.6));
    });
}

void BM_PhaserDefault(benchmark::State& state) {
    VTPhaser p;
    runEffect(state, p, 1);
}
void BM_PhaserHeaviest(benchmark::State& state) {
    VTPhaser p;
    p.frequencyRange.setValue(20.0f, 4000.0f);
    p.feedback.setValue(0.95);
    runEffect<VTPhaser>(state, p, 1,
                        [](VTPhaser& f, int b) { f.rate.setValue(toggle(b, 100.0, 99.0)); });
}

// Every coefficient recomputed before every block.
template <class Eq>
void changeEveryBand(Eq& eq, int b) {
    eq.hsCutoffFrequency.setValue(toggle(b, 8000.0, 12000.0));
    eq.hsGain.setValue(toggle(b, 6.0, -6.0));
    eq.bp1CenterFrequency.setValue(toggle(b, 900.0, 1100.0));
    eq.bp1Bandwidth.setValue(toggle(b, 200.0, 300.0));
    eq.bp1Gain.setValue(toggle(b, 3.0, -3.0));
    eq.bp2CenterFrequency.setValue(toggle(b, 400.0, 600.0));
    eq.bp2Bandwidth.setValue(toggle(b, 100.0, 150.0));
    eq.bp2Gain.setValue(toggle(b, 9.0, -9.0));
    eq.lsCutoffFrequency.setValue(toggle(b, 80.0, 120.0));
    eq.lsGain.setValue(toggle(b, 12.0, -12.0));
}

void BM_MonoEqDefault(benchmark::State& state) {
    VTMonoParametric p;
    runEffect(state, p, 1);
}
void BM_MonoEqEveryBandChangingEveryBlock(benchmark::State& state) {
    VTMonoParametric p;
    runEffect<VTMonoParametric>(state, p, 1, changeEveryBand<VTMonoParametric>);
}
void BM_StereoEqDefault(benchmark::State& state) {
    VTStereoParametric p;
    runEffect(state, p, 2);
}
void BM_StereoEqEveryBandChangingEveryBlock(benchmark::State& state) {
    VTStereoParametric p;
    runEffect<VTStereoParametric>(state, p, 2, changeEveryBand<VTStereoParametric>);
}

void BM_FiveCombsDefault(benchmark::State& state) {
    VT5Combs p;
    p.inputGain.setValue(1.0);
    runEffect(state, p, 1);
}
void BM_FiveCombsEveryCombRetunedEveryBlock(benchmark::State& state) {
    VT5Combs p;
    p.inputGain.setValue(1.0);
    runEffect<VT5Combs>(state, p, 1, [](VT5Combs& c, int b) {
        for (int n = 0; n < VT5Combs::kCombs; ++n) {
            c.frequency[n].setValue(toggle(b, 16.0 + n, 2000.0 - n));
            c.reverbTime[n].setValue(toggle(b, 10.0, 0.02));
        }
    });
}

void BM_StereoDelayDefault(benchmark::State& state) {
    VTSDelay p;
    runEffect(state, p, 1);
}
void BM_StereoDelayHeaviest(benchmark::State& state) {
    // Both inlets, tempo-synchronised at the longest time, a fractional read position, a new mix
    // every block.
    VTSDelay p;
    p.delayUnits.setValue(VTSDelay::kSemiquavers);
    p.leftDelay.setValue(15);
    p.rightDelay.setValue(32);
    p.feedback.setValue(0.9);
    runEffect<VTSDelay>(state, p, 2,
                        [](VTSDelay& d, int b) { d.wetDryMix.setValue(toggle(b, 0.3, 0.7)); });
}

BENCHMARK(BM_ReverbDefault);
BENCHMARK(BM_ReverbTimeChangingEveryBlock);
BENCHMARK(BM_FlangerDefault);
BENCHMARK(BM_FlangerHeaviest);
BENCHMARK(BM_PhaserDefault);
BENCHMARK(BM_PhaserHeaviest);
BENCHMARK(BM_MonoEqDefault);
BENCHMARK(BM_MonoEqEveryBandChangingEveryBlock);
BENCHMARK(BM_StereoEqDefault);
BENCHMARK(BM_StereoEqEveryBandChangingEveryBlock);
BENCHMARK(BM_FiveCombsDefault);
BENCHMARK(BM_FiveCombsEveryCombRetunedEveryBlock);
BENCHMARK(BM_StereoDelayDefault);
BENCHMARK(BM_StereoDelayHeaviest);

}  // namespace
