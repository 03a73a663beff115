#include "control/VTMidiInputs.h"

#include "control/VTMidiControlServer.h"

VTMidiInputs::VTMidiInputs(KDMidiDriver& driver, VTMidiControlServer& server)
    : server_(server), controllersIn_(driver), syncIn_(driver) {}

VTMidiInputs::~VTMidiInputs() {
    controllersIn_.closePort();
    syncIn_.closePort();
}

bool VTMidiInputs::SharedDevice() const {
    return controllersIn_.deviceIndex() >= 0 && controllersIn_.deviceName() == syncIn_.deviceName();
}

bool VTMidiInputs::CanEnableMidiControllers() const {
    return !controllersIn_.deviceNames().empty() && controllersIn_.deviceIndex() >= 0;
}

bool VTMidiInputs::CanEnableChaseSync() const { return syncIn_.deviceIndex() >= 0; }

void VTMidiInputs::EnableMidiControllers() {
    if (controllersOn_) return;
    controllersIn_.setMessageHandler(&server_);
    controllersIn_.openPort();
    controllersOn_ = true;
}

void VTMidiInputs::DisableMidiControllers() {
    if (!controllersOn_) return;
    controllersIn_.setMessageHandler(nullptr);
    if (!(chase_.chaseSync() && SharedDevice())) controllersIn_.closePort();
    controllersOn_ = false;
}

void VTMidiInputs::EnableChaseSync() {
    if (chase_.chaseSync()) return;
    chase_.setChaseSync(true);
    if (SharedDevice()) {
        controllersIn_.openPort();
    } else {
        syncIn_.openPort();
    }
}

void VTMidiInputs::DisableChaseSync() {
    if (!chase_.chaseSync()) return;
    chase_.setChaseSync(false);
    if (SharedDevice()) {
        if (!controllersOn_) controllersIn_.closePort();
    } else {
        syncIn_.closePort();
    }
}

void VTMidiInputs::SetMidiDevices(int controllersDevice, int syncDevice) {
    const bool controllers = controllersOn_;
    const bool chase = chase_.chaseSync();
    DisableMidiControllers();
    DisableChaseSync();
    controllersIn_.closePort();
    syncIn_.closePort();
    controllersIn_.setDeviceIndex(controllersDevice);
    syncIn_.setDeviceIndex(syncDevice);
    if (controllers) EnableMidiControllers();
    if (chase) EnableChaseSync();
}

void VTMidiInputs::RefreshDeviceLists() {
    controllersIn_.refreshDeviceNames();
    syncIn_.refreshDeviceNames();
}

void VTMidiInputs::ApplyStoredDevices(int controllersDevice, int syncDevice) {
    SetMidiDevices(controllersDevice, syncDevice);
}
