#pragma once

#include <cstdint>

#include "control/KDMidiIn.h"
#include "control/VTClockChase.h"

class SGDynSigContext;
class VTMidiControlServer;

// The program's two MIDI inputs, one for controllers and one for sync, with the switches that
// open and close them and the clock chase that follows the sync input. The real-time engine
// owns one of these; the main window's "Enable MIDI Controllers" and "Chase Sync" items and the
// settings dialog drive it on the UI thread, and the engine's buffer cycle runs the chase.
//
// Both inputs may name the same device. Then the device is opened once, by the controllers
// input, which serves the chase as well: it opens for whichever of the two needs it and closes
// when neither does.
class VTMidiInputs {
public:
    // Where the device choices are kept in the settings store.
    static constexpr const char* kSettingsGroup = "MidiAndSync";
    static constexpr const char* kControllersDeviceValue = "ControllersDevice";
    static constexpr const char* kSyncInDeviceValue = "SyncInDevice";

    VTMidiInputs(KDMidiDriver& driver, VTMidiControlServer& server);
    ~VTMidiInputs();

    KDMidiIn& controllersIn() { return controllersIn_; }
    KDMidiIn& syncIn() { return syncIn_; }
    const KDMidiIn& controllersIn() const { return controllersIn_; }
    const KDMidiIn& syncIn() const { return syncIn_; }
    VTClockChase& chase() { return chase_; }
    // The server the controllers input feeds (and whose learn target the quick-map sets).
    VTMidiControlServer& server() const { return server_; }

    void EnableMidiControllers();
    void DisableMidiControllers();
    bool MidiControllersEnabled() const { return controllersOn_; }
    // The menu item is enabled only with a device to open.
    bool CanEnableMidiControllers() const;

    void EnableChaseSync();
    void DisableChaseSync();
    bool ChaseSyncEnabled() const { return chase_.chaseSync(); }
    bool CanEnableChaseSync() const;

    // New device choices (-1 for none): both inputs close, take the new devices and reopen
    // for what was switched on. An index beyond the device list leaves that choice as it was.
    void SetMidiDevices(int controllersDevice, int syncDevice);
    int ControllersDevice() const { return controllersIn_.deviceIndex(); }
    int SyncInDevice() const { return syncIn_.deviceIndex(); }

    // Reads both device lists again (a keyboard plugged in since the program started), keeping
    // each choice by its device's name.
    void RefreshDeviceLists();

    // Stored choices read at start-up: each is taken when it is -1 or names a listed device.
    void ApplyStoredDevices(int controllersDevice, int syncDevice);

    bool SharedDevice() const;
    // The input the chase follows: the sync input, or the controllers input when they share
    // the device.
    const KDMidiIn& ChaseInput() const { return SharedDevice() ? controllersIn_ : syncIn_; }

    // The engine's sync step for one device buffer (audio thread).
    VTClockChase::LockChange RunChaseStep(SGDynSigContext& context, int frames, double playTime) {
        return chase_.step(&ChaseInput(), context, frames, playTime);
    }

private:
    VTMidiControlServer& server_;
    KDMidiIn controllersIn_;
    KDMidiIn syncIn_;
    VTClockChase chase_;
    bool controllersOn_ = false;
};
