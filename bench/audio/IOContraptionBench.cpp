#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/VTSoundIn.h"
#include "audio/VTSoundOut.h"
#include "wave/VTWaveOutFile.h"

namespace {

void perSample(benchmark::State& state) {
    state.counters["ns/sample"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * SGBlockSize,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * SGBlockSize);
}

std::string scratchFile(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

// The sound input taking its pair from a 4-channel device.
void BM_SoundInDevice(benchmark::State& state) {
    VTSoundIn in;
    std::vector<std::int16_t> data(4 * SGBlockSize);
    for (std::size_t k = 0; k < data.size(); ++k) data[k] = std::int16_t(k * 37);
    float pl, pr;
    for (auto _ : state) {
        in.blockInputStep(data.data(), 2, 4, pl, pr);
        benchmark::DoNotOptimize(in.outletSignal(0).samples());
        benchmark::ClobberMemory();
    }
    perSample(state);
}

// The sound input playing a looping file, half-buffer reads from disk included.
void BM_SoundInFilePlayback(benchmark::State& state) {
    const auto channels = static_cast<std::uint16_t>(state.range(0));
    std::string file =
        scratchFile(channels == 1 ? "vantrel-bench-in1.wav" : "vantrel-bench-in2.wav");
    {
        VTWaveOutFile w(file, 44100, channels, true);
        std::vector<std::int16_t> s(std::size_t(44100) * channels, 1234);
        w.writeFrames(s.data(), 44100);
    }
    VTSoundIn in;
    in.useADC.setValue(false);
    in.loop.setValue(true);
    in.inputFile.setValue(file.c_str());
    in.openInputFile();
    in.active.setValue(true);
    float pl, pr;
    for (auto _ : state) {
        in.blockInputStep(nullptr, 0, 2, pl, pr);
        benchmark::DoNotOptimize(in.outletSignal(0).samples());
        benchmark::ClobberMemory();
    }
    perSample(state);
    std::remove(file.c_str());
}

// The main output with no file: it only notes its inlets.
void BM_SoundOutPassThrough(benchmark::State& state) {
    VTSoundOut out;
    for (auto _ : state) {
        out.process();
        benchmark::DoNotOptimize(&out.sentSignal(0));
    }
    perSample(state);
}

// The recorder while recording, disk writes of its staging buffer included. The file is started
// afresh now and then so that it stays small.
void BM_SoundOutRecording(benchmark::State& state) {
    std::string file = scratchFile("vantrel-bench-rec.wav");
    std::remove(file.c_str());
    VTSoundOut out;
    out.outputFile.setValue(file.c_str());
    out.openOutputFile();
    out.fileMode.setValue(VTSoundOut::kOverwrite);
    out.action.setValue(VTSoundOut::kRecord);
    std::int64_t blocks = 0;
    for (auto _ : state) {
        out.process();
        if (++blocks % 40000 == 0) {
            state.PauseTiming();
            out.action.setValue(VTSoundOut::kRecord);  // overwrite: the file starts again
            state.ResumeTiming();
        }
    }
    perSample(state);
    out.restoreDefaults();
    std::remove(file.c_str());
}

BENCHMARK(BM_SoundInDevice);
BENCHMARK(BM_SoundInFilePlayback)->Arg(1)->Arg(2);
BENCHMARK(BM_SoundOutPassThrough);
BENCHMARK(BM_SoundOutRecording);

}  // namespace
