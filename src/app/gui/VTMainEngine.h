#pragma once

#include <string>

#include "audio/TRealTimeEngine.h"

class SGDynSigContext;

// What the main window asks of the real-time engine and its MIDI inputs. The program passes
// the engine itself (VTRealTimeEngineLink); tests pass a simulated one, so the window's rules
// can be checked without devices.
class VTMainEngine {
public:
    using MeterSnapshot = TRealTimeEngine::MeterSnapshot;

    virtual ~VTMainEngine() = default;

    // The document's graph; set while audio is off.
    virtual void SetSignalContext(SGDynSigContext* context) = 0;

    // Device failures are thrown (EWaveOutError, EWaveInError), and audio stays off.
    virtual void StartAudio() = 0;
    virtual void StopAudio() = 0;
    virtual bool IsAudioRunning() const = 0;
    virtual void UpdateDeviceUse() = 0;

    virtual MeterSnapshot CurrentMeterSnapshot() = 0;
    // "CPU Load: %3.2f" of the stream's processing load.
    virtual std::string CpuLoadText() const = 0;
    // Whether a buffer was late since the last call; the call clears it.
    virtual bool TakeOverloadIndicator() = 0;

    virtual bool MidiControllersEnabled() const = 0;
    virtual bool CanEnableMidiControllers() const = 0;
    virtual void EnableMidiControllers() = 0;
    virtual void DisableMidiControllers() = 0;

    virtual bool ChaseSyncEnabled() const = 0;
    virtual bool CanEnableChaseSync() const = 0;
    virtual void EnableChaseSync() = 0;
    virtual void DisableChaseSync() = 0;
};
