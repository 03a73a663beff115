#include <benchmark/benchmark.h>

#include "library/synthesisers/VTBassline.h"
#include "signal/SGDynSigContext.h"

namespace {

// Writes a constant into its outlet: something connected to the bassline's inlet.
class ConstantFeed : public SGSignalProcessor {
public:
    ConstantFeed() : SGSignalProcessor(0, 1) {}
    void process() override { outletSignal(0).fill(0.25f); }
};

// One block per iteration with the clock running at 120 beats per minute; the rate is reported
// per sample.
void runBassline(benchmark::State& state, bool heaviest) {
    SGDynSigContext context;
    auto* bass = new VTBassline;  // the context owns it
    bass->setContext(&context);
    if (heaviest) {
        // The inlet connected, a note always sounding (every step tied, so it slides), accents,
        // overdrive and the LFO at work.
        auto* feed = new ConstantFeed;
        feed->setContext(&context);
        context.connect(feed, 0, bass, 0);
        feed->process();
        bass->volume.setValue(0.8);
        bass->ties.setValue(0xffff);
        bass->accents.setValue(0x5555);
        bass->accent.setValue(0.7);
        bass->overdrive.setValue(0.8);
        bass->resonance.setValue(0.9);
        bass->lfoDepth.setValue(0.5);
        bass->lfoRate.setValue(0.5);
    }
    context.startClock();
    const double step = SGBlockSize / context.samplesPerTick();
    for (auto _ : state) {
        bass->process();
        context.setClockPosition(context.clockPosition() + step);
        benchmark::DoNotOptimize(bass->outletSignal(0).samples());
        benchmark::ClobberMemory();
    }
    state.counters["ns/sample"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * SGBlockSize,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * SGBlockSize);
}

void BM_BasslineDefault(benchmark::State& state) { runBassline(state, false); }
void BM_BasslineHeaviest(benchmark::State& state) { runBassline(state, true); }

BENCHMARK(BM_BasslineDefault);
BENCHMARK(BM_BasslineHeaviest);

}  // namespace
