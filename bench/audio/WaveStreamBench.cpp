// The wave stream's own cost per output buffer, on simulated devices (no hardware, no sound
// server). The processor does nothing but note the output thread's CPU clock, so the difference
// between two calls is what one whole cycle costs the output thread: waiting for and taking the
// notices, the input hand-off, queueing, the load measurement.
#include <benchmark/benchmark.h>
#include <time.h>

#include <atomic>

#include "audio/KDWaveStream.h"
#include "platform/audio/KDAudioSystem.h"
#include "platform/audio/KDSimulatedAudio.h"

namespace {

constexpr auto kIn = KDAudioDirection::Input;
constexpr auto kOut = KDAudioDirection::Output;

std::int64_t threadCpuNs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::int64_t{t.tv_sec} * 1000000000 + t.tv_nsec;
}

class CpuClockProcessor : public KDWaveProcessor {
public:
    void OnProcess(KDWaveStream&, const std::int16_t* const*, std::uint32_t, int,
                   std::int16_t* const*) override {
        std::int64_t now = threadCpuNs();
        if (last_ != 0) {
            total_ += now - last_;
            ++cycles_;
        }
        last_ = now;
    }
    double meanNs() const { return cycles_ ? static_cast<double>(total_) / cycles_ : 0.0; }

private:
    std::int64_t last_ = 0;
    std::atomic<std::int64_t> total_{0};
    std::atomic<long> cycles_{0};
};

// Arguments: output buffer size in bytes, whether an input device is open.
void BM_WaveStreamCycle(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const bool withInput = state.range(1) != 0;
    KDSimulatedAudio sim;
    sim.AddDevice(kOut, {"Sim Out", 2});
    sim.AddDevice(kIn, {"Sim In", 2});
    sim.SetCaptureLimit(0);
    KDAudioSystem system(sim);
    system.AddBackend(sim);
    CpuClockProcessor processor;
    {
        KDWaveStream stream(system);
        stream.SetOnProcess(&processor);
        stream.SetRampEnds(false);
        stream.SetOutputBufferSize(size);
        stream.SetInputBufferSize(size);
        stream.SetOutputDevices(0, 1);
        if (withInput) stream.SetInputDevices(0, 1);
        stream.StartStream();
        const int frames = stream.OutputFrames();
        for (auto _ : state) {
            long queued = sim.QueuedTotal(kOut, 0);
            sim.Advance(frames);
            if (!sim.WaitQueued(kOut, 0, queued + 1)) {
                state.SkipWithError("the stream stopped cycling");
                break;
            }
        }
        stream.SetOnProcess(nullptr);
        stream.StopStream();
        state.counters["frames"] = frames;
    }
    state.counters["stream_ns/buffer"] = processor.meanNs();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WaveStreamCycle)
    ->ArgsProduct({{2048, 16384, 65536}, {0, 1}})
    ->ArgNames({"bytes", "input"})
    ->UseRealTime();

}  // namespace
