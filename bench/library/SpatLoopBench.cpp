#include <benchmark/benchmark.h>

#include "BenchWavFile.h"
#include "library/effects/VTSSpat.h"
#include "library/sequencers/VTLoopPlayer.h"
#include "signal/SGDynSigContext.h"

namespace {

void runSSpat(benchmark::State& state, bool heaviest) {
    VTSSpat s;
    SGSignal input;
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) input[i] = 0.3f * std::sin(i * 0.05f);
    s.inlet(0).signal = &input;
    if (heaviest) {
        s.pathSegments.setValue("0.1,0.1, 0.8,0.2, 0.7,-0.6, -0.3,-0.9, -0.9,0.4, 0.2,0.9");
        s.trajectoryRate.setValue(3.0);
        s.dopplerAmount.setValue(2.0);
        s.spaceScale.setValue(20.0);
    }
    for (auto _ : state) {
        s.process();
        benchmark::DoNotOptimize(s.outletSignal(0).samples());
        benchmark::ClobberMemory();
    }
    VT_BENCH_PER_SAMPLE(state);
}

void runLoop(benchmark::State& state, std::uint16_t channels, bool stretch) {
    static const std::string mono = benchWavFile("vantrel-bench-loop1.wav", 1, 100000);
    static const std::string stereo = benchWavFile("vantrel-bench-loop2.wav", 2, 100000);
    SGDynSigContext ctx;
    VTLoopPlayer p;
    p.setContext(&ctx);
    ctx.startClock();
    p.file.setValue((channels == 2 ? stereo : mono).c_str());
    p.stretch.setValue(stretch);
    p.barCount.setValue(2);
    const double step = SGBlockSize / ctx.samplesPerTick();
    for (auto _ : state) {
        p.process();
        ctx.setClockPosition(ctx.clockPosition() + step);
        benchmark::DoNotOptimize(p.outletSignal(0).samples());
        benchmark::ClobberMemory();
    }
    p.setContext(nullptr);
    VT_BENCH_PER_SAMPLE(state);
}

void BM_SSpatDefault(benchmark::State& state) { runSSpat(state, false); }
void BM_SSpatFastFarDoppler(benchmark::State& state) { runSSpat(state, true); }
void BM_LoopPlayerMonoStretch(benchmark::State& state) { runLoop(state, 1, true); }
void BM_LoopPlayerStereoStretch(benchmark::State& state) { runLoop(state, 2, true); }
void BM_LoopPlayerStereoOwnSpeed(benchmark::State& state) { runLoop(state, 2, false); }

BENCHMARK(BM_SSpatDefault);
BENCHMARK(BM_SSpatFastFarDoppler);
BENCHMARK(BM_LoopPlayerMonoStretch);
BENCHMARK(BM_LoopPlayerStereoStretch);
BENCHMARK(BM_LoopPlayerStereoOwnSpeed);

}  // namespace
