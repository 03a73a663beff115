#include "app/dialogs/VTDialogWindows.h"

#include "app/dialogs/settings/TSettingsForm.h"
#include "app/dialogs/modulation/VTModulationDialogs.h"
#include "app/gui/TMainForm.h"
#include "audio/TRealTimeEngine.h"

VTDialogWindows::VTDialogWindows(TMainForm& form, TRealTimeEngine& engine)
    : form_(form), engine_(engine) {
    VTModulationContext modulation;
    modulation.server = &engine_.MidiInputs().server();
    modulation.document = [&form] { return form.Document(); };
    modulation.controllersEnabled = [&engine] {
        return engine.MidiInputs().MidiControllersEnabled();
    };
    modulation_ = std::make_unique<VTModulationDialogs>(form_, modulation);
}

VTDialogWindows::~VTDialogWindows() { delete settings_.data(); }

void VTDialogWindows::ShowExport() {}

void VTDialogWindows::ShowSettings() {
    if (!settings_) settings_ = new TSettingsForm(engine_, &form_);
    settings_->FormShow();
    settings_->exec();
    // Apply may have stopped or failed to restart audio and changed the MIDI devices the
    // Control menu's items depend on.
    form_.UpdateTransportControls();
    form_.UpdateControlMenu();
}

void VTDialogWindows::ShowModulation() { modulation_->showModulation(); }

void VTDialogWindows::ShowQuickMap() { modulation_->showQuickMapForSelection(); }
