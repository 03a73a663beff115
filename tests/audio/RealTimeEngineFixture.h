#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio/TRealTimeEngine.h"
#include "audio/VTIOContraptionPool.h"
#include "control/VTMidiControlServer.h"
#include "platform/VTMemorySettingsStore.h"
#include "platform/audio/KDAudioSystem.h"
#include "platform/audio/KDSimulatedAudio.h"
#include "platform/midi/KDSimulatedMidiDriver.h"
#include "signal/SGDynSigContext.h"

namespace vantrel::test {

// A stereo source of constant values: left `level`, right −level ÷ 2.
class StereoLevelSource : public SGSignalProcessor {
public:
    explicit StereoLevelSource(float level) : SGSignalProcessor(0, 2), level(level) {}
    void process() override {
        outletSignal(0).fill(level);
        outletSignal(1).fill(-0.5f * level);
    }
    float level;
};

// An engine on simulated devices. Output devices: 1 "Stereo A", 2 "Stereo B", 3 "Quad"
// (4 channels), 4 "Broken" (cannot be opened); input devices: 1 "In A", 2 "In Quad" (4 channels).
// MIDI: "Keys", "Clock".
class EngineTest : public ::testing::Test {
protected:
    static constexpr int kStereoA = 1, kStereoB = 2, kQuad = 3, kBroken = 4;
    static constexpr int kInA = 1, kInQuad = 2;

    EngineTest() {
        sim.AddDevice(KDAudioDirection::Output, {"Stereo A", 2});
        sim.AddDevice(KDAudioDirection::Output, {"Stereo B", 2});
        sim.AddDevice(KDAudioDirection::Output, {"Quad", 4});
        sim.AddDevice(KDAudioDirection::Output,
                      {"Broken", 2, true, 0xFFFFFFFFu, 7, "device unplugged"});
        sim.AddDevice(KDAudioDirection::Input, {"In A", 2});
        sim.AddDevice(KDAudioDirection::Input, {"In Quad", 4});
        system = std::make_unique<KDAudioSystem>(sim);
        system->AddBackend(sim);
    }

    ~EngineTest() override {
        if (engine && engine->IsAudioRunning()) StopWhileAdvancing();
        engine.reset();
    }

    TRealTimeEngine& make() {
        engine = std::make_unique<TRealTimeEngine>(*system, pool, settings, midiDriver, midiServer,
                                                   &context);
        for (int i = 0; i < 8; ++i) {
            engine->SetInDevice(i, 0);
            engine->SetOutDevice(i, 0);
        }
        return *engine;
    }

    // Makes output k exist, fed by a constant source.
    void addOutput(int k, float level) {
        std::lock_guard<SGMutex> hold(context.mutex());
        SGSignalProcessor* out = pool.acquireOutput(k);
        ASSERT_NE(out, nullptr);
        out->setContext(&context);
        auto* source = new StereoLevelSource(level);  // owned by the context
        source->setContext(&context);
        context.connect(source, 0, out, 0);
        context.connect(source, 1, out, 1);
    }

    SGSignalProcessor* addInput(int k) {
        std::lock_guard<SGMutex> hold(context.mutex());
        SGSignalProcessor* in = pool.acquireInput(k);
        if (in) in->setContext(&context);
        return in;
    }

    // Device buffers for one call of the cycle, by output slot.
    struct Buffers {
        std::array<std::vector<std::int16_t>, 8> out;
        std::array<std::vector<std::int16_t>, 8> in;
        std::array<std::int16_t*, 8> outPtr{};
        std::array<const std::int16_t*, 8> inPtr{};
    };
    // Sized after the engine's last mapping; outputs prefilled with `junk`.
    Buffers buffersFor(int frames, std::int16_t junk = 1234) {
        Buffers b;
        for (int s = 0; s < 8; ++s) {
            if (engine->WaveStream().OutputDeviceMask() >> s & 1) {
                b.out[s].assign(frames * engine->OutputMapping().channels[s], junk);
                b.outPtr[s] = b.out[s].data();
            }
            if (engine->WaveStream().InputDeviceMask() >> s & 1) {
                b.in[s].assign(frames * engine->InputMapping().channels[s], 0);
                b.inPtr[s] = b.in[s].data();
            }
        }
        return b;
    }
    void cycle(Buffers& b, int frames, std::uint32_t playTime = 20000) {
        engine->OnProcess(engine->WaveStream(), b.inPtr.data(), playTime, frames, b.outPtr.data());
    }

    // Stopping waits for the queued buffers to play: keep the devices moving meanwhile.
    void StopWhileAdvancing();

    KDSimulatedAudio sim;
    std::unique_ptr<KDAudioSystem> system;
    VTMemorySettingsStore settings;
    KDSimulatedMidiDriver midiDriver{{"Keys", "Clock"}};
    VTMidiControlServer midiServer;
    SGDynSigContext context;
    VTIOContraptionPool pool;
    std::unique_ptr<TRealTimeEngine> engine;
};

}  // namespace vantrel::test
