// The MIDI thread's cost per controller message and the audio thread's cost of one chase step.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "control/VTClockChase.h"
#include "control/VTMidiControlClient.h"
#include "control/VTMidiControlServer.h"
#include "signal/SGDynSigContext.h"

namespace {

struct Sink : VTMidiControlClient {
    using VTMidiControlClient::VTMidiControlClient;
    void receive(int v) override { benchmark::DoNotOptimize(last = v); }
    int last = 0;
};

// A patch with many mapped parameters: range(0) clients spread over 16 channels and 64 keys.
void BM_DispatchControlChange(benchmark::State& state) {
    VTMidiControlServer server;
    std::vector<std::unique_ptr<Sink>> clients;
    for (int i = 0; i < state.range(0); ++i) {
        clients.push_back(std::make_unique<Sink>(server));
        clients.back()->setSource(i % 2 ? 0xB0 : 0xF0, i % 16, i % 32);
    }
    std::uint8_t value = 0;
    for (auto _ : state) {
        server.dispatch(0xB3, 7, value);
        value = (value + 1) & 0x7F;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DispatchControlChange)->Arg(1)->Arg(100)->Arg(2000);

void BM_ChaseStep(benchmark::State& state) {
    SGDynSigContext ctx;
    VTClockChase chase;
    chase.setChaseSync(true);
    const KDMidiClockReceiver::State ext{true, 0, 0.0, 128.0};
    const int frames = static_cast<int>(state.range(0));
    double t = 0.0;
    chase.step(true, ext, ctx, frames, t);
    for (auto _ : state) {
        t += 0.5;
        chase.step(true, ext, ctx, frames, t);
        benchmark::DoNotOptimize(chase.blockTempo(0));
    }
}
BENCHMARK(BM_ChaseStep)->Arg(1024)->Arg(16384);

}  // namespace
