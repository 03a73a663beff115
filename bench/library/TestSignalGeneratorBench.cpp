#include <benchmark/benchmark.h>

#include "library/generators/VTTestSignalGenerator.h"

namespace {

// One block per iteration; the rate is reported per sample.
void runGenerator(benchmark::State& state, int waveform) {
    VTTestSignalGenerator gen;
    gen.amplitude.setValue(0.5);
    gen.waveform.setValue(waveform);
    for (auto _ : state) {
        gen.process();
        benchmark::DoNotOptimize(gen.outletSignal(0).samples());
        benchmark::ClobberMemory();
    }
    state.counters["ns/sample"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * SGBlockSize,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * SGBlockSize);
}

void BM_TestGenSine(benchmark::State& state) { runGenerator(state, VTTestSignalGenerator::kSine); }
void BM_TestGenNoise(benchmark::State& state) { runGenerator(state, 0); }

BENCHMARK(BM_TestGenSine);
BENCHMARK(BM_TestGenNoise);

}  // namespace
