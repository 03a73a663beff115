#pragma once

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "params/SGSignalProcessor.h"

// Shared by the processor benchmarks: one block per iteration, reported per sample.
namespace vantrel::bench {

inline void reportPerSample(benchmark::State& state) {
    state.counters["ns/sample"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * SGBlockSize,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * SGBlockSize);
}

// Distinct input blocks, one per inlet, plugged in the way a single connection does.
class Inputs {
public:
    explicit Inputs(int count) {
        for (int k = 0; k < count; ++k) {
            SGSignal b;
            for (std::uint32_t i = 0; i < SGBlockSize; ++i)
                b[i] = static_cast<float>(0.5 * std::sin(0.01 * (k + 1) * (i + 1)));
            blocks_.push_back(std::move(b));
        }
    }
    void plugAll(SGSignalProcessor& p) {
        for (int i = 0; i < p.inletCount(); ++i)
            p.inlet(i).signal = &blocks_[static_cast<std::size_t>(i) % blocks_.size()];
    }

private:
    std::vector<SGSignal> blocks_;
};

template <typename Processor>
void runBlocks(benchmark::State& state, Processor& p) {
    for (auto _ : state) {
        p.process();
        benchmark::DoNotOptimize(p.outletSignal(0).samples());
        benchmark::ClobberMemory();
    }
    reportPerSample(state);
}

}  // namespace vantrel::bench
