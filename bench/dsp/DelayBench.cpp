// Delay lines, combs and all-passes: ns per sample of each block operation, at the sizes and
// delays the effects use them with.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "dsp/SGAllpass.h"
#include "dsp/SGComb.h"
#include "dsp/SGDelayLine.h"
#include "signal/SGConstants.h"
#include "signal/SGSignal.h"

namespace {

constexpr auto kB = static_cast<std::int32_t>(SGBlockSize);

void perSample(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * SGBlockSize);
    state.counters["ns/sample"] =
        benchmark::Counter(static_cast<double>(state.iterations() * SGBlockSize),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

SGSignal noiseBlock() {
    SGSignal s;
    std::uint32_t seed = 12345;
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        seed = seed * 1103515245u + 12345u;
        s[i] = static_cast<float>((seed >> 16) & 0x7fff) / 32768.0f - 0.5f;
    }
    return s;
}

// The stereo delay's line (2.1 s): one block written and one fixed read.
void BM_DelayLineWriteAndReadFixed(benchmark::State& state) {
    SGDelayLine line(2.1);
    const SGSignal in = noiseBlock();
    SGSignal out;
    for (auto _ : state) {
        line.readFixed(out, 0.3751);
        line.write(in);
        benchmark::DoNotOptimize(out.samples());
    }
    perSample(state);
}
BENCHMARK(BM_DelayLineWriteAndReadFixed);

// The spatialiser's tap: one single read per sample at a gliding delay.
void BM_DelayLineReadAt(benchmark::State& state) {
    SGDelayLine line(1.0);
    const SGSignal in = noiseBlock();
    for (int k = 0; k < 200; ++k) line.write(in);
    SGSignal out;
    double d = 0.01;
    for (auto _ : state) {
        for (std::int32_t i = 0; i < kB; ++i) out[i] = line.readAt(d + i * 1e-6);
        benchmark::DoNotOptimize(out.samples());
    }
    perSample(state);
}
BENCHMARK(BM_DelayLineReadAt);

// A granulator grain's read (11 s line) at a transposition of state.range(0) / 100.
void BM_DelayLineReadResampled(benchmark::State& state) {
    SGDelayLine line(11.0);
    const SGSignal in = noiseBlock();
    for (int k = 0; k < 2000; ++k) line.write(in);
    SGSignal out;
    const double rate = static_cast<double>(state.range(0)) / 100.0;
    for (auto _ : state) {
        double d = 5.0;
        line.readResampled(out, d, rate);
        benchmark::DoNotOptimize(out.samples());
    }
    perSample(state);
}
BENCHMARK(BM_DelayLineReadResampled)->Arg(50)->Arg(100)->Arg(237);

// The flanger's comb: delay and feedback gliding every sample.
void BM_CombProcess(benchmark::State& state) {
    SGComb comb(0.1);
    comb.feedback().setTarget(0.9, kB);
    const SGSignal in = noiseBlock();
    SGSignal out;
    double delay = 40.0;
    for (auto _ : state) {
        delay = delay > 2000.0 ? 40.0 : delay + 13.7;
        comb.delay().setTarget(delay, kB);
        comb.process(in, out);
        benchmark::DoNotOptimize(out.samples());
    }
    perSample(state);
}
BENCHMARK(BM_CombProcess);

// The five combs' added combs.
void BM_CombProcessAdd(benchmark::State& state) {
    SGComb comb(0.06);
    comb.delay().setTarget(441.3, kB);
    comb.feedback().setTarget(0.8, kB);
    const SGSignal in = noiseBlock();
    SGSignal out(0.0f);
    for (auto _ : state) {
        comb.processAdd(in, out, 0.5f);
        benchmark::DoNotOptimize(out.samples());
    }
    perSample(state);
}
BENCHMARK(BM_CombProcessAdd);

// The reverb's combs: the delay (state.range(0) / 100 samples) moves once a block.
void BM_CombProcessBlockDelay(benchmark::State& state) {
    SGComb comb(0.0437 + 0.1);
    comb.delay().setTarget(static_cast<double>(state.range(0)) / 100.0, kB);
    comb.feedback().setTarget(0.8, kB);
    const SGSignal in = noiseBlock();
    SGSignal out;
    for (auto _ : state) {
        comb.processBlockDelay(in, out);
        benchmark::DoNotOptimize(out.samples());
    }
    perSample(state);
}
BENCHMARK(BM_CombProcessBlockDelay)->Arg(130977)->Arg(22050)->Arg(7497)->Arg(150);

// The reverb's all-passes: series (220.5 samples) and left (75 samples).
void BM_AllpassProcessBlockDelay(benchmark::State& state) {
    SGAllpass allpass(0.005 + 0.1);
    allpass.delay().setTarget(static_cast<double>(state.range(0)) / 100.0, kB);
    allpass.feedback().setTarget(0.7, kB);
    SGSignal io = noiseBlock();
    for (auto _ : state) {
        allpass.processBlockDelay(io, io);
        io.scale(0.5f);
        benchmark::DoNotOptimize(io.samples());
    }
    perSample(state);
}
BENCHMARK(BM_AllpassProcessBlockDelay)->Arg(22050)->Arg(7497);

}  // namespace
