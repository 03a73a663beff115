// The optimised routines against their plain one-value-at-a-time definitions, and the per-sample
// classes built on them. Counters are per sample (one lookup or one truncation per item).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "dsp/SGFunctionTable.h"
#include "dsp/SGOscillator.h"
#include "dsp/SGVInterp.h"
#include "sgopt/SGOpt.h"
#include "sgopt/SGOptReference.h"
#include "signal/SGConstants.h"
#include "signal/SGSignal.h"

namespace {

constexpr std::uint32_t kTableSize = 1024;

void perSample(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * SGBlockSize);
    state.counters["ns/sample"] =
        benchmark::Counter(static_cast<double>(state.iterations() * SGBlockSize),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A block's worth of read positions over the whole table, as a detuned oscillator or a
// resampling sample reader produces them, whole positions and the end of the table included.
std::vector<float> positions() {
    std::vector<float> p(SGBlockSize);
    double phase = 0.0;
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        p[i] = static_cast<float>(phase);
        phase += 37.3;
        if (phase > kTableSize) phase -= kTableSize;
    }
    p[10] = 0.0f;
    p[11] = kTableSize;
    p[12] = 512.0f;
    return p;
}

std::vector<float> truncations() {
    std::vector<float> x(SGBlockSize);
    for (std::uint32_t i = 0; i < SGBlockSize; ++i)
        x[i] = static_cast<float>(i) * 3.7f + 1.0f + (i % 2 ? 0.5f : 0.0f);
    return x;
}

// The plain loops are kept out of line and unvectorised so that they measure the definitions
// themselves, one value at a time.
__attribute__((noinline, optimize("no-tree-vectorize"))) void plainLookups(const float* table,
                                                                           const float* pos,
                                                                           float* out,
                                                                           std::uint32_t n) {
    for (std::uint32_t k = 0; k < n; ++k) out[k] = sgopt_reference::interpLookup(table, pos[k]);
}

__attribute__((noinline, optimize("no-tree-vectorize"))) void plainTruncations(const float* x,
                                                                               std::int32_t* out,
                                                                               std::uint32_t n) {
    for (std::uint32_t k = 0; k < n; ++k) out[k] = sgopt_reference::truncate(x[k]);
}

struct LookupFixture {
    SGFunctionTable table{kTableSize};
    std::vector<float> pos = positions();
    std::vector<float> out = std::vector<float>(SGBlockSize);
    LookupFixture() { table.addHarmonic(1.0f, 1.0f, 0.0f, 0.0f); }
};

void BM_InterpLookupPlainScalar(benchmark::State& state) {
    LookupFixture f;
    for (auto _ : state) {
        plainLookups(f.table.data(), f.pos.data(), f.out.data(), SGBlockSize);
        benchmark::DoNotOptimize(f.out.data());
        benchmark::ClobberMemory();
    }
    perSample(state);
}

void BM_InterpLookupPerCall(benchmark::State& state) {
    LookupFixture f;
    for (auto _ : state) {
        for (std::uint32_t k = 0; k < SGBlockSize; ++k)
            f.out[k] = SGInterpLookup(f.table.data(), f.pos[k]);
        benchmark::DoNotOptimize(f.out.data());
        benchmark::ClobberMemory();
    }
    perSample(state);
}

void BM_InterpLookupBlock(benchmark::State& state) {
    LookupFixture f;
    for (auto _ : state) {
        SGInterpLookupBlock(f.table.data(), f.pos.data(), f.out.data(), SGBlockSize);
        benchmark::DoNotOptimize(f.out.data());
        benchmark::ClobberMemory();
    }
    perSample(state);
}

BENCHMARK(BM_InterpLookupPlainScalar);
BENCHMARK(BM_InterpLookupPerCall);
BENCHMARK(BM_InterpLookupBlock);

struct TruncateFixture {
    std::vector<float> x = truncations();
    std::vector<std::int32_t> out = std::vector<std::int32_t>(SGBlockSize);
};

void BM_TruncatePlainScalar(benchmark::State& state) {
    TruncateFixture f;
    for (auto _ : state) {
        plainTruncations(f.x.data(), f.out.data(), SGBlockSize);
        benchmark::DoNotOptimize(f.out.data());
        benchmark::ClobberMemory();
    }
    perSample(state);
}

void BM_TruncatePerCall(benchmark::State& state) {
    TruncateFixture f;
    for (auto _ : state) {
        for (std::uint32_t k = 0; k < SGBlockSize; ++k) f.out[k] = SGTruncate(f.x[k]);
        benchmark::DoNotOptimize(f.out.data());
        benchmark::ClobberMemory();
    }
    perSample(state);
}

void BM_TruncateBlock(benchmark::State& state) {
    TruncateFixture f;
    for (auto _ : state) {
        SGTruncateBlock(f.x.data(), f.out.data(), SGBlockSize);
        benchmark::DoNotOptimize(f.out.data());
        benchmark::ClobberMemory();
    }
    perSample(state);
}

BENCHMARK(BM_TruncatePlainScalar);
BENCHMARK(BM_TruncatePerCall);
BENCHMARK(BM_TruncateBlock);

void BM_OscillatorTick(benchmark::State& state) {
    SGFunctionTable table(kTableSize);
    table.addHarmonic(1.0f, 1.0f, 0.0f, 0.0f);
    SGOscillator osc(table);
    osc.setFrequency(441.0, SGSampleRate);
    SGSignal out;
    for (auto _ : state) {
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) out[i] = osc.tick();
        benchmark::DoNotOptimize(out.samples());
        benchmark::ClobberMemory();
    }
    perSample(state);
}
BENCHMARK(BM_OscillatorTick);

void BM_VInterpApplyRamp(benchmark::State& state) {
    SGVInterp ramp;
    ramp.setTarget(0.0, SGBlockSize);
    SGSignal in(0.5f), out;
    bool up = false;
    for (auto _ : state) {
        ramp.setTarget(up ? 1.0 : 0.25, SGBlockSize);  // a fresh ramp every block
        up = !up;
        ramp.applyTo(in, out);
        benchmark::DoNotOptimize(out.samples());
        benchmark::ClobberMemory();
    }
    perSample(state);
}
BENCHMARK(BM_VInterpApplyRamp);

void BM_VInterpApplySteady(benchmark::State& state) {
    SGVInterp ramp;
    ramp.setTarget(0.7, SGBlockSize);
    SGSignal in(0.5f), out;
    for (auto _ : state) {
        ramp.applyTo(in, out);
        benchmark::DoNotOptimize(out.samples());
        benchmark::ClobberMemory();
    }
    perSample(state);
}
BENCHMARK(BM_VInterpApplySteady);

}  // namespace
