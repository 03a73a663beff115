#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "library/sequencers/VTDrums.h"
#include "signal/SGDynSigContext.h"
#include "wave/VTWaveOutFile.h"

namespace {

// One block per iteration with the clock running at 120 beats per minute; the rate is reported
// per sample.
void runDrums(benchmark::State& state, bool everyVoice) {
    SGDynSigContext context;
    auto* drums = new VTDrums;  // the context owns it
    drums->setContext(&context);
    std::vector<std::string> files;
    if (everyVoice) {
        // Five one-second samples, every step of every row set: all five voices always sound.
        std::vector<std::int16_t> noise(44100);
        std::uint32_t seed = 1;
        for (auto& s : noise)
            s = static_cast<std::int16_t>((seed = seed * 1103515245u + 12345u) >> 16);
        for (int r = 0; r < VTDrums::kRows; ++r) {
            files.push_back("/tmp/vantrel-drums-bench-" + std::to_string(::getpid()) + "-" +
                            std::to_string(r) + ".wav");
            VTWaveOutFile(files.back(), 44100, 1, true).writeFrames(noise.data(), 44100);
            drums->files[r].setValue(files.back().c_str());
            drums->volumes[r].setValue(0.8);
            drums->gates[r].setValue(-1);
        }
        drums->volume.setValue(0.8);
    }
    context.startClock();
    const double step = SGBlockSize / context.samplesPerTick();
    drums->process();  // loads the samples
    for (auto _ : state) {
        drums->process();
        context.setClockPosition(context.clockPosition() + step);
        benchmark::DoNotOptimize(drums->outletSignal(0).samples());
        benchmark::ClobberMemory();
    }
    for (const std::string& f : files) std::remove(f.c_str());
    state.counters["ns/sample"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * SGBlockSize,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * SGBlockSize);
}

void BM_DrumsDefault(benchmark::State& state) { runDrums(state, false); }
void BM_DrumsEveryVoice(benchmark::State& state) { runDrums(state, true); }

BENCHMARK(BM_DrumsDefault);
BENCHMARK(BM_DrumsEveryVoice);

}  // namespace
