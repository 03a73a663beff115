#include "app/dialogs/VTDialogWindows.h"

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

VTDialogWindows::~VTDialogWindows() = default;

void VTDialogWindows::ShowExport() {}

void VTDialogWindows::ShowSettings() {}

void VTDialogWindows::ShowModulation() { modulation_->showModulation(); }

void VTDialogWindows::ShowQuickMap() { modulation_->showQuickMapForSelection(); }
