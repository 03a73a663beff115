#include <benchmark/benchmark.h>

#include "audio/VTIOContraptionPool.h"
#include "audio/VTSoundOut.h"
#include "export/VTExportRenderer.h"
#include "library/effects/VTCmixReverb.h"
#include "library/effects/VTSDelay.h"
#include "library/generators/VTAdditive10.h"
#include "library/synthesisers/VTBassline.h"
#include "signal/SGDynSigContext.h"
#include "signal/SGTempo.h"

namespace {

// A typical patch rendered off-line, one chunk (131072 frames, about 3 seconds) per iteration:
// a bassline and an additive pad running at 120 BPM into the stereo delay, the pad also into
// the reverb, both summed at the main output. The rate is given as a multiple of real time.
void BM_ExportChunkTypicalPatch(benchmark::State& state) {
    SGDynSigContext context;
    VTIOContraptionPool pool;
    context.setSamplesPerTick(sgSamplesPerTickFromTempo(120.0));
    auto* out = pool.acquireOutput(0);
    out->setContext(&context);
    auto* bass = new VTBassline;  // the context owns the processors
    auto* pad = new VTAdditive10;
    auto* delay = new VTSDelay;
    auto* reverb = new VTCmixReverb;
    for (SGSignalProcessor* p :
         {static_cast<SGSignalProcessor*>(bass), static_cast<SGSignalProcessor*>(pad),
          static_cast<SGSignalProcessor*>(delay), static_cast<SGSignalProcessor*>(reverb)})
        p->setContext(&context);
    pad->gain.setValue(0.3);
    for (auto& a : pad->amps) a.setValue(0.3);
    bass->volume.setValue(0.7);
    bass->ties.setValue(0x1111);
    context.connect(bass, 0, delay, 0);
    context.connect(pad, 0, delay, 1);
    context.connect(pad, 0, reverb, 0);
    context.connect(delay, 0, out, 0);
    context.connect(delay, 1, out, 1);
    context.connect(reverb, 0, out, 0);
    context.connect(reverb, 1, out, 1);
    context.resetAll();
    context.startClock();

    VTExportRenderer renderer(context, pool);
    for (auto _ : state) {
        renderer.renderChunk();
        benchmark::DoNotOptimize(renderer.samples());
        benchmark::ClobberMemory();
    }
    const double audioSeconds =
        double(state.iterations()) * VTExportRenderer::kChunkFrames / 44100.0;
    state.counters["x_realtime"] = benchmark::Counter(audioSeconds, benchmark::Counter::kIsRate);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) *
                            VTExportRenderer::kChunkFrames);
}
BENCHMARK(BM_ExportChunkTypicalPatch)->Unit(benchmark::kMillisecond);

}  // namespace
