#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <memory>
#include <vector>

#include "audio/TRealTimeEngine.h"
#include "audio/VTIOContraptionPool.h"
#include "control/VTMidiControlServer.h"
#include "platform/VTMemorySettingsStore.h"
#include "platform/audio/KDAudioSystem.h"
#include "platform/audio/KDSimulatedAudio.h"
#include "platform/midi/KDSimulatedMidiDriver.h"
#include "signal/SGDynSigContext.h"

namespace {

class Tone : public SGSignalProcessor {
public:
    Tone() : SGSignalProcessor(0, 2) {}
    void process() override {
        for (std::uint32_t i = 0; i < SGBlockSize; ++i, phase += 0.01f) {
            if (phase > 1.0f) phase -= 2.0f;
            outletSignal(0)[i] = 0.3f * phase;
            outletSignal(1)[i] = -0.3f * phase;
        }
    }
    float phase = 0.0f;
};

// The engine on simulated devices with a small patch: three outputs on one 4-channel device
// (two of them mixed on one pair), an auxiliary input from a 4-channel input device, and the
// sound input from the same device.
struct Rig {
    static constexpr int kFrames = 4096;

    Rig() {
        sim.AddDevice(KDAudioDirection::Output, {"Quad", 4});
        sim.AddDevice(KDAudioDirection::Input, {"In Quad", 4});
        system = std::make_unique<KDAudioSystem>(sim);
        system->AddBackend(sim);
        engine = std::make_unique<TRealTimeEngine>(*system, pool, settings, midiDriver, midiServer,
                                                   &context);
        std::lock_guard<SGMutex> hold(context.mutex());
        for (int k = 0; k < 3; ++k) {
            engine->SetOutDevice(k, 1);
            SGSignalProcessor* out = pool.acquireOutput(k);
            out->setContext(&context);
            auto* tone = new Tone;  // owned by the context
            tone->setContext(&context);
            context.connect(tone, 0, out, 0);
            context.connect(tone, 1, out, 1);
        }
        engine->SetInDevice(0, 1);
        engine->SetInDevice(1, 1);
        pool.acquireInput(0)->setContext(&context);
        SGSignalProcessor* aux = pool.acquireInput(1);
        aux->setContext(&context);
        SGSignalProcessor* out = pool.acquireOutput(3);
        out->setContext(&context);
        context.connect(aux, 0, out, 0);
        context.connect(aux, 1, out, 1);
        engine->MapDevices();
        context.startClock();

        for (int s = 0; s < 8; ++s) {
            if (engine->WaveStream().OutputDeviceMask() >> s & 1) {
                out_[s].assign(kFrames * engine->OutputMapping().channels[s], 0);
                outPtr[s] = out_[s].data();
            }
            if (engine->WaveStream().InputDeviceMask() >> s & 1) {
                in_[s].assign(kFrames * engine->InputMapping().channels[s], 0);
                for (std::size_t i = 0; i < in_[s].size(); ++i) in_[s][i] = std::int16_t(i * 31);
                inPtr[s] = in_[s].data();
            }
        }
    }

    void buffer() {
        engine->OnProcess(engine->WaveStream(), inPtr.data(), 20000, kFrames, outPtr.data());
    }
    void graphOnly() {
        std::lock_guard<SGMutex> hold(context.mutex());
        for (int b = 0; b < kFrames / 256; ++b) context.processBlock();
    }

    KDSimulatedAudio sim;
    std::unique_ptr<KDAudioSystem> system;
    VTMemorySettingsStore settings;
    KDSimulatedMidiDriver midiDriver{{"Keys"}};
    VTMidiControlServer midiServer;
    SGDynSigContext context;
    VTIOContraptionPool pool;
    std::unique_ptr<TRealTimeEngine> engine;
    std::array<std::vector<std::int16_t>, 8> out_, in_;
    std::array<std::int16_t*, 8> outPtr{};
    std::array<const std::int16_t*, 8> inPtr{};
};

template <typename F>
double microseconds(F&& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count();
}

// One 4096-frame device buffer through the engine. Besides the whole buffer's time it reports
// the graph's own share (the same 16 blocks run without the engine) and the difference, the
// engine's cost: device conversion, mixing, meters, snapshots and the chase step.
void BM_EngineBuffer(benchmark::State& state) {
    Rig rig;
    rig.buffer();
    double whole = 0.0, graph = 0.0;
    for (auto _ : state) {
        whole += microseconds([&] { rig.buffer(); });
        state.PauseTiming();
        graph += microseconds([&] { rig.graphOnly(); });
        state.ResumeTiming();
        benchmark::ClobberMemory();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["buffer_us"] = whole / n;
    state.counters["graph_us"] = graph / n;
    state.counters["engine_us"] = (whole - graph) / n;
}
BENCHMARK(BM_EngineBuffer);

// The graph alone, for comparison with BM_EngineBuffer's time per iteration.
void BM_EngineGraphOnlyBuffer(benchmark::State& state) {
    Rig rig;
    for (auto _ : state) {
        rig.graphOnly();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_EngineGraphOnlyBuffer);

}  // namespace
