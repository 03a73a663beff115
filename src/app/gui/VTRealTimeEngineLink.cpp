#include "app/gui/VTRealTimeEngineLink.h"

#include "audio/TRealTimeEngine.h"
#include "control/VTMidiInputs.h"

void VTRealTimeEngineLink::SetSignalContext(SGDynSigContext* context) {
    engine_.SetSignalContext(context);
}
void VTRealTimeEngineLink::StartAudio() { engine_.StartAudio(); }
void VTRealTimeEngineLink::StopAudio() { engine_.StopAudio(); }
bool VTRealTimeEngineLink::IsAudioRunning() const { return engine_.IsAudioRunning(); }
void VTRealTimeEngineLink::UpdateDeviceUse() { engine_.UpdateDeviceUse(); }
VTMainEngine::MeterSnapshot VTRealTimeEngineLink::CurrentMeterSnapshot() {
    return engine_.CurrentMeterSnapshot();
}
std::string VTRealTimeEngineLink::CpuLoadText() const { return engine_.CpuLoadText(); }
bool VTRealTimeEngineLink::TakeOverloadIndicator() { return engine_.TakeOverloadIndicator(); }
bool VTRealTimeEngineLink::MidiControllersEnabled() const {
    return engine_.MidiInputs().MidiControllersEnabled();
}
bool VTRealTimeEngineLink::CanEnableMidiControllers() const {
    return engine_.MidiInputs().CanEnableMidiControllers();
}
void VTRealTimeEngineLink::EnableMidiControllers() { engine_.MidiInputs().EnableMidiControllers(); }
void VTRealTimeEngineLink::DisableMidiControllers() {
    engine_.MidiInputs().DisableMidiControllers();
}
bool VTRealTimeEngineLink::ChaseSyncEnabled() const {
    return engine_.MidiInputs().ChaseSyncEnabled();
}
bool VTRealTimeEngineLink::CanEnableChaseSync() const {
    return engine_.MidiInputs().CanEnableChaseSync();
}
void VTRealTimeEngineLink::EnableChaseSync() { engine_.MidiInputs().EnableChaseSync(); }
void VTRealTimeEngineLink::DisableChaseSync() { engine_.MidiInputs().DisableChaseSync(); }
