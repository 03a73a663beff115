#pragma once

#include "app/gui/VTMainEngine.h"

class TRealTimeEngine;

// The main window's view of the program's real-time engine and its MIDI inputs.
class VTRealTimeEngineLink : public VTMainEngine {
public:
    explicit VTRealTimeEngineLink(TRealTimeEngine& engine) : engine_(engine) {}

    void SetSignalContext(SGDynSigContext* context) override;
    void StartAudio() override;
    void StopAudio() override;
    bool IsAudioRunning() const override;
    void UpdateDeviceUse() override;
    MeterSnapshot CurrentMeterSnapshot() override;
    std::string CpuLoadText() const override;
    bool TakeOverloadIndicator() override;
    bool MidiControllersEnabled() const override;
    bool CanEnableMidiControllers() const override;
    void EnableMidiControllers() override;
    void DisableMidiControllers() override;
    bool ChaseSyncEnabled() const override;
    bool CanEnableChaseSync() const override;
    void EnableChaseSync() override;
    void DisableChaseSync() override;

private:
    TRealTimeEngine& engine_;
};
