// The voice allocator and the spline path: what a granulator pays per block for its grain
// bookkeeping, and what the spatialiser pays per block for its path.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>

#include "dsp/SGTrigSplinePath.h"
#include "dsp/SGVoiceAllocator.h"

namespace {

struct Grain {
    int blocksLeft = 0;
};

// One block of a granulator at full load: every sounding grain visited, the finished ones
// released and new ones started until all 20 sound. Counted per grain visited.
void BM_VoiceAllocatorBlock(benchmark::State& state) {
    std::array<Grain, 20> pool;
    SGVoiceAllocator<Grain> voices(pool.data(), 20);
    int next = 0;
    std::int64_t visits = 0;
    for (auto _ : state) {
        voices.forEachActive([](Grain& g) { return --g.blocksLeft > 0; });
        while (voices.activeCount() < 20) voices.allocate()->blocksLeft = 1 + (next++ % 9);
        visits += voices.activeCount();
        benchmark::DoNotOptimize(pool.data());
    }
    state.counters["ns/grain"] = benchmark::Counter(
        static_cast<double>(visits), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_VoiceAllocatorBlock);

// One evaluation, as the spatialiser makes once a block.
void BM_SplinePathEvaluate(benchmark::State& state) {
    SGTrigSplinePath path(2048);
    path.parse("0,0.5, -0.5,-0.2, 0.5,-0.2");
    path.setRotation(0.3);
    path.setScale(1.5);
    path.setOffset(0.1f, -0.1f);
    float pos = 0.0f, x = 0.0f, y = 0.0f;
    for (auto _ : state) {
        path.evaluate(pos, x, y);
        pos += 0.0137f;
        if (pos >= 3.0f) pos -= 3.0f;
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
    }
}
BENCHMARK(BM_SplinePathEvaluate);

// A parse of the default path and of a hundred points, as when the path's text changes.
void BM_SplinePathParse(benchmark::State& state) {
    std::string text = "0,0.5, -0.5,-0.2, 0.5,-0.2";
    if (state.range(0) == 100) {
        text.clear();
        for (int k = 0; k < 100; ++k)
            text += (k ? ", " : "") + std::to_string(k * 0.01 - 0.5) + ",0.25";
    }
    SGTrigSplinePath path(2048);
    for (auto _ : state) benchmark::DoNotOptimize(path.parse(text));
}
BENCHMARK(BM_SplinePathParse)->Arg(3)->Arg(100);

}  // namespace
