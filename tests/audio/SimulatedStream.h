#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "audio/KDWaveStream.h"
#include "platform/audio/KDAudioSystem.h"
#include "platform/audio/KDSimulatedAudio.h"

namespace vantrel::test {

constexpr auto kIn = KDAudioDirection::Input;
constexpr auto kOut = KDAudioDirection::Output;

// A processor whose behaviour each test sets; it records what the stream gave it.
class RecordingProcessor : public KDWaveProcessor {
public:
    struct Call {
        std::uint32_t playTime;
        int frames;
        std::array<bool, 8> inputOpen;
        std::array<bool, 8> outputOpen;
        long firstInputFrame;  // decoded from the simulated input pattern of slot 0, or −1
    };

    std::function<void(const std::int16_t* const*, int, std::int16_t* const*)> fill;

    void OnProcess(KDWaveStream&, const std::int16_t* const* inputs, std::uint32_t playTime,
                   int frames, std::int16_t* const* outputs) override {
        Call call{playTime, frames, {}, {}, -1};
        for (int s = 0; s < 8; ++s) {
            call.inputOpen[s] = inputs[s] != nullptr;
            call.outputOpen[s] = outputs[s] != nullptr;
        }
        if (inputs[0]) call.firstInputFrame = inputs[0][0] | (long{inputs[0][1]} << 15);
        if (fill) fill(inputs, frames, outputs);
        std::lock_guard lock(mutex_);
        if (calls_.size() < calls_.capacity()) calls_.push_back(call);
    }

    std::vector<Call> calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }

    RecordingProcessor() { calls_.reserve(4096); }

private:
    mutable std::mutex mutex_;
    std::vector<Call> calls_;
};

// A stream on simulated devices: output 0 "Sim Out" (stereo), output 1 "Sim Quad" (4
// channels), output 2 "Sim Mono Only" (cannot stream stereo 44.1 kHz, so never listed), input 0
// "Sim In" (stereo).
class SimulatedStreamTest : public ::testing::Test {
protected:
    SimulatedStreamTest() {
        sim.AddDevice(kOut, {"Sim Out", 2});
        sim.AddDevice(kOut, {"Sim Quad", 4});
        sim.AddDevice(kOut, {"Sim Mono Only", 1, false});
        sim.AddDevice(kIn, {"Sim In", 2});
        system = std::make_unique<KDAudioSystem>(sim);
        system->AddBackend(sim);
        stream = std::make_unique<KDWaveStream>(*system);
        stream->SetOnProcess(&processor);
    }

    ~SimulatedStreamTest() override {
        // A test that fails half-way may leave the stream running; stop it while the
        // simulated devices still move.
        // The processor's work may refer to the test's locals, gone by now.
        stream->SetOnProcess(nullptr);
        AwaitCycleEnd();
        if (stream->Running()) StopWhileAdvancing();
    }

    int frames() const { return stream->OutputFrames(); }

    // Lets one output buffer finish and waits until the stream has queued its successor.
    void Step() {
        long queued = sim.QueuedTotal(kOut, outputDevice);
        sim.AdvanceClock(frames());
        if (sim.IsOpen(kIn, 0)) {
            long inQueued = sim.QueuedTotal(kIn, 0);
            long filled = (inputFrames_ + frames()) / (stream->InputBufferSize() / 4) -
                          inputFrames_ / (stream->InputBufferSize() / 4);
            sim.RecordInputs(frames());
            inputFrames_ += frames();
            ASSERT_TRUE(sim.WaitQueued(kIn, 0, inQueued + filled));
        }
        sim.PlayOutputs(frames());
        ASSERT_TRUE(sim.WaitQueued(kOut, outputDevice, queued + 1));
        AwaitCycleEnd();
    }

    // The cycle that queued the newest buffer still measures its load afterwards; it does so
    // under the processing lock, so taking the lock once waits for it.
    void AwaitCycleEnd() {
        stream->LockProcessing();
        stream->UnlockProcessing();
    }

    void Steps(int n) {
        for (int i = 0; i < n; ++i) ASSERT_NO_FATAL_FAILURE(Step());
    }

    // StopStream waits for the queued buffers to play: keep the devices moving meanwhile.
    // Returns the exception text when StopStream raised, "" otherwise.
    std::string StopWhileAdvancing();

    void UseOutput(int device = 0) {
        outputDevice = device;
        stream->SetOutputDevices(0, device + 1);
    }

    KDSimulatedAudio sim;
    std::unique_ptr<KDAudioSystem> system;
    std::unique_ptr<KDWaveStream> stream;
    RecordingProcessor processor;
    int outputDevice = 0;

private:
    long inputFrames_ = 0;
};

}  // namespace vantrel::test
