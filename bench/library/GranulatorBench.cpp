#include <benchmark/benchmark.h>

#include <cstdio>

#include "BenchWavFile.h"
#include "library/granulators/VTBubbleBlower.h"
#include "library/granulators/VTDLGranulator.h"

namespace {

void runDL(benchmark::State& state, bool heaviest) {
    VTDLGranulator g;
    SGSignal input;
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) input[i] = 0.3f * std::sin(i * 0.05f);
    g.inlet(0).signal = &input;
    if (heaviest) {
        // Every grain sounding, long, at every transposition, with feedback.
        g.interonsetTime.setValue(0.5f, 1.0f);
        g.grainDuration.setValue(500.0f, 500.0f);
        g.pitchScaler.setValue(0.25f, 4.0f);
        g.delayTime.setValue(0.0f, 9500.0f);
        g.feedback.setValue(0.5);
        g.wetDryMix.setValue(0.5);
    }
    for (int b = 0; b < 20; ++b) g.process();
    for (auto _ : state) {
        g.process();
        benchmark::DoNotOptimize(g.outletSignal(0).samples());
        benchmark::ClobberMemory();
    }
    state.counters["grains"] = g.soundingGrains();
    VT_BENCH_PER_SAMPLE(state);
}

void runBubble(benchmark::State& state, bool heaviest) {
    static const std::string file = benchWavFile("vantrel-bench-bubble.wav", 2, 400000);
    VTBubbleBlower g;
    g.file.setValue(file.c_str());
    if (heaviest) {
        g.density.setValue(2000.0);
        g.grainDuration.setValue(500.0f, 500.0f);
        g.pitchScaler.setValue(0.25f, 4.0f);
        g.inskip.setValue(0.0f, 8000.0f);
    }
    for (int b = 0; b < 20; ++b) g.process();
    for (auto _ : state) {
        g.process();
        benchmark::DoNotOptimize(g.outletSignal(0).samples());
        benchmark::ClobberMemory();
    }
    state.counters["grains"] = g.soundingGrains();
    VT_BENCH_PER_SAMPLE(state);
}

void BM_DLGranulatorDefault(benchmark::State& state) { runDL(state, false); }
void BM_DLGranulator20Grains(benchmark::State& state) { runDL(state, true); }
void BM_BubbleBlowerDefault(benchmark::State& state) { runBubble(state, false); }
void BM_BubbleBlower20Grains(benchmark::State& state) { runBubble(state, true); }

BENCHMARK(BM_DLGranulatorDefault);
BENCHMARK(BM_DLGranulator20Grains);
BENCHMARK(BM_BubbleBlowerDefault);
BENCHMARK(BM_BubbleBlower20Grains);

}  // namespace
