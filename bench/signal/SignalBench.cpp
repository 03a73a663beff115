// Block arithmetic and the graph's per-block cost. Counters are per sample: items processed are
// samples, so "ns per sample" is the inverse of items_per_second.
#include <benchmark/benchmark.h>

#include "params/SGSignalProcessor.h"
#include "signal/SGDCBlocker.h"
#include "signal/SGDynSigContext.h"
#include "signal/SGGainSmoother.h"
#include "signal/SGNoise.h"

namespace {

void perSample(benchmark::State& state, std::int64_t blocksPerIteration = 1) {
    state.SetItemsProcessed(state.iterations() * blocksPerIteration * SGBlockSize);
    state.counters["ns/sample"] = benchmark::Counter(
        static_cast<double>(state.iterations() * blocksPerIteration * SGBlockSize),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

template <typename Op>
void blockOp(benchmark::State& state, Op op) {
    SGSignal a(0.5f), b(0.25f), d(1.5f);
    for (auto _ : state) {
        op(a, b, d);
        benchmark::DoNotOptimize(a.samples());
        benchmark::ClobberMemory();
    }
    perSample(state);
}

void BM_SignalAdd(benchmark::State& s) {
    blockOp(s, [](SGSignal& a, SGSignal& b, SGSignal&) { a.add(b); });
}
void BM_SignalAddScaled(benchmark::State& s) {
    blockOp(s, [](SGSignal& a, SGSignal& b, SGSignal&) { a.addScaled(b, 0.999f); });
}
void BM_SignalAddProduct(benchmark::State& s) {
    blockOp(s, [](SGSignal& a, SGSignal& b, SGSignal& d) { a.addProduct(b, d); });
}
void BM_SignalAssignProduct(benchmark::State& s) {
    blockOp(s, [](SGSignal& a, SGSignal& b, SGSignal& d) { a.assignProduct(b, d); });
}
void BM_SignalDivide(benchmark::State& s) {
    blockOp(s, [](SGSignal& a, SGSignal&, SGSignal& d) { a.divide(d); });
}
void BM_SignalScale(benchmark::State& s) {
    blockOp(s, [](SGSignal& a, SGSignal&, SGSignal&) { a.scale(0.999f); });
}
BENCHMARK(BM_SignalAdd);
BENCHMARK(BM_SignalAddScaled);
BENCHMARK(BM_SignalAddProduct);
BENCHMARK(BM_SignalAssignProduct);
BENCHMARK(BM_SignalDivide);
BENCHMARK(BM_SignalScale);

void BM_NoiseFill(benchmark::State& state) {
    SGNoise n;
    SGSignal out;
    for (auto _ : state) {
        n.fillBlock(out);
        benchmark::DoNotOptimize(out.samples());
    }
    perSample(state);
}
BENCHMARK(BM_NoiseFill);

void BM_GainSmoother(benchmark::State& state) {
    SGGainSmoother g(20.0);
    g.setTarget(0.5);
    SGSignal io(0.3f);
    for (auto _ : state) {
        g.applyTo(io, io);
        benchmark::DoNotOptimize(io.samples());
    }
    perSample(state);
}
BENCHMARK(BM_GainSmoother);

void BM_DCBlocker(benchmark::State& state) {
    SGDCBlocker f;
    SGSignal io(0.3f);
    for (auto _ : state) {
        f.processBlock(io);
        benchmark::DoNotOptimize(io.samples());
    }
    perSample(state);
}
BENCHMARK(BM_DCBlocker);

// The cheapest possible pipe: copies its inlet to its outlet.
class CopyPipe : public SGSignalProcessor {
public:
    CopyPipe(int inlets, int outlets) : SGSignalProcessor(inlets, outlets) {}
    void process() override {
        if (outletCount() == 0) return;
        if (inletCount() > 0)
            outletSignal(0).assign(inletSignal(0));
        else
            outletSignal(0).fill(0.5f);
    }
};

// processBlock over a chain of N pipes: source -> N-2 copies -> sink. Reported per sample of
// one block, so the figure is the graph's cost for a whole chain.
void BM_ProcessBlockChain(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    SGDynSigContext ctx;
    SGDynSigPipe* previous = nullptr;
    for (int i = 0; i < n; ++i) {
        bool last = i == n - 1;
        auto* p = new CopyPipe(i == 0 ? 0 : 1, last ? 0 : 1);
        p->setContext(&ctx);
        if (previous) ctx.connect(previous, 0, p, 0);
        previous = p;
    }
    for (auto _ : state) ctx.processBlock();
    perSample(state);
    state.counters["pipes"] = n;
}
BENCHMARK(BM_ProcessBlockChain)->Arg(2)->Arg(16)->Arg(128)->Arg(1024);

// A fan-in: N sources summed into one inlet of a sink.
void BM_ProcessBlockSummingInlet(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    SGDynSigContext ctx;
    auto* sink = new CopyPipe(1, 0);
    sink->setContext(&ctx);
    for (int i = 0; i < n; ++i) {
        auto* p = new CopyPipe(0, 1);
        p->setContext(&ctx);
        ctx.connect(p, 0, sink, 0);
    }
    for (auto _ : state) ctx.processBlock();
    perSample(state);
}
BENCHMARK(BM_ProcessBlockSummingInlet)->Arg(2)->Arg(16);

}  // namespace
