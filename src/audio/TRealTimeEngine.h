#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>

#include "audio/KDWaveProcessor.h"
#include "audio/KDWaveStream.h"
#include "control/VTMidiInputs.h"
#include "signal/SGSignal.h"

class KDMidiDriver;
class SGDynSigContext;
class VTIOContraptionPool;
class VTMidiControlServer;
class VTSettingsStore;

// Makes the patch audible. It owns the wave stream and the two MIDI inputs, keeps the user's
// device choice for each of the eight logical inputs ("SoundIn", "AuxIn1" ... "AuxIn7") and
// outputs ("SoundOut", "AuxOut1" ... "AuxOut7"), maps the device contraptions that exist onto
// open devices and channel pairs at every start, and serves the stream's buffer callback: the
// signal context runs block by block while samples move between the devices and the
// contraptions, meters are kept, and every eighth block a snapshot of meters and clock is
// stamped with the time its audio will be heard.
//
// The device choices and buffer settings are read from the settings store when the engine is
// made and written back when it is destroyed.
//
// StartAudio, StopAudio, UpdateDeviceUse and the setters run on the user-interface thread;
// OnProcess runs on the stream's output thread.
class TRealTimeEngine : public KDWaveProcessor {
public:
    static constexpr int kLogicalCount = 8;
    static constexpr int kRingSize = 60;
    static constexpr int kSnapshotBlocks = 8;
    static constexpr float kMeterDecay = 0.59523811f;
    static constexpr double kBlockMs = 256.0 * 1000.0 / 44100.0;

    struct MeterSnapshot {
        std::array<float, 2 * kLogicalCount> inputMeters{};
        std::array<float, 2 * kLogicalCount> outputMeters{};
        std::int32_t clockTicks = 0;
        std::uint32_t playTime = 0;
    };

    // What one start mapped: per logical input or output its device slot (−1 for none) and the
    // first channel of its pair, per slot its channel count.
    struct Mapping {
        std::array<int, kLogicalCount> slot{};
        std::array<int, kLogicalCount> offset{};
        std::array<int, kSlots> channels{};
    };
    struct IdlePair {
        int slot = 0;
        int firstChannel = 0;
    };

    TRealTimeEngine(KDAudioSystem& system, VTIOContraptionPool& pool, VTSettingsStore& settings,
                    KDMidiDriver& midiDriver, VTMidiControlServer& midiServer,
                    SGDynSigContext* context = nullptr);
    ~TRealTimeEngine() override;
    TRealTimeEngine(const TRealTimeEngine&) = delete;
    TRealTimeEngine& operator=(const TRealTimeEngine&) = delete;

    KDWaveStream& WaveStream() { return stream_; }
    VTMidiInputs& MidiInputs() { return midi_; }

    // The document's signal context; none runs nothing and plays silence. Change it only while
    // audio is off.
    void SetSignalContext(SGDynSigContext* context) { context_ = context; }
    SGDynSigContext* SignalContext() const { return context_; }

    // Device choices: indices into the stream's device names, 0 = "(None)". They take effect
    // at the next start.
    int InDevice(int i) const { return inDevice_[i]; }
    int OutDevice(int i) const { return outDevice_[i]; }
    void SetInDevice(int i, int index) { inDevice_[i] = index; }
    void SetOutDevice(int i, int index) { outDevice_[i] = index; }

    // Returns true; device failures raise EWaveOutError or EWaveInError, and audio stays off.
    bool StartAudio();
    void StopAudio();
    bool IsAudioRunning() const { return running_; }
    // After any change that may add or remove device contraptions or change "UseADC":
    // restarts audio when the set of inputs and outputs needed differs from the last start.
    void UpdateDeviceUse();

    // The buffer cycle, installed as the stream's processor.
    void OnProcess(KDWaveStream& stream, const std::int16_t* const* inputs, std::uint32_t playTime,
                   int frames, std::int16_t* const* outputs) override;

    // The newest snapshot whose audio has started to sound (the main window's meter timer).
    MeterSnapshot CurrentMeterSnapshot();
    bool TakeOverloadIndicator();
    // The status bar's text for the stream's processing load.
    std::string CpuLoadText() const;

    float InputMeter(int i, int channel) const { return inMeters_[2 * i + channel]; }
    float OutputMeter(int i, int channel) const { return outMeters_[2 * i + channel]; }

    // The mapping of the last start.
    const Mapping& InputMapping() const { return inMap_; }
    const Mapping& OutputMapping() const { return outMap_; }
    const std::array<int, kLogicalCount>& OutputOrder() const { return outOrder_; }
    int IdlePairCount() const { return idleCount_; }
    const IdlePair& IdlePairAt(int k) const { return idle_[k]; }
    // Builds the mapping tables and sets the stream's devices without starting anything.
    void MapDevices();

    // The stored "WaveStream" and "MidiAndSync" values.
    void ReadSettings();
    void WriteSettings();

private:
    using Needed = std::array<bool, kLogicalCount>;
    enum class Side { Input, Output };

    Needed NeededInputs() const;
    Needed NeededOutputs() const;
    void ResetMeters();
    void MapSide(Side side, const std::array<int, kLogicalCount>& choice, const Needed& needed,
                 Mapping& map);
    void BuildOutputOrder();
    void FindIdlePairs();
    int DeviceChannels(Side side, int index) const;

    void ReadInputs(const std::int16_t* const* inputs, int o);
    void WriteOutputs(std::int16_t* const* outputs, int o);
    void WriteGroup(std::int16_t* out, int stride, const SGSignal& left, const SGSignal& right,
                    float& peakLeft, float& peakRight);
    void TakeSnapshot(double t);
    void SilenceIdlePairs(std::int16_t* const* outputs, int frames);

    KDWaveStream stream_;
    VTMidiInputs midi_;
    VTIOContraptionPool& pool_;
    VTSettingsStore& settings_;
    SGDynSigContext* context_;

    std::array<int, kLogicalCount> inDevice_{};
    std::array<int, kLogicalCount> outDevice_{};
    bool running_ = false;

    Mapping inMap_;
    Mapping outMap_;
    std::array<int, kLogicalCount> outOrder_{};
    std::array<IdlePair, kLogicalCount> idle_{};
    int idleCount_ = 0;
    Needed inNeeded_{};
    Needed outNeeded_{};

    std::array<float, 2 * kLogicalCount> inMeters_{};
    std::array<float, 2 * kLogicalCount> outMeters_{};
    std::array<MeterSnapshot, kRingSize> ring_{};
    int writeIndex_ = 0;
    int readIndex_ = 0;
    int countdown_ = 0;
    std::atomic<bool> overload_{false};

    SGSignal mixLeft_;
    SGSignal mixRight_;
};
