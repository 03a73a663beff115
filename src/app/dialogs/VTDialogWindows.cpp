#include "app/dialogs/VTDialogWindows.h"

#include "app/dialogs/settings/TSettingsForm.h"
#include "app/dialogs/modulation/VTModulationDialogs.h"
#include <exception>

#include "app/dialogs/export/TExportAsWaveForm.h"
#include "app/gui/TMainForm.h"
#include "audio/TRealTimeEngine.h"
#include "audio/VTIOContraptionPool.h"
#include "document/VTDocument.h"
#include "platform/VTMessageBox.h"

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

TExportAsWaveForm& VTDialogWindows::ExportForm() {
    if (!export_) export_ = std::make_unique<TExportAsWaveForm>(&form_);
    return *export_;
}

// The export drives the patch itself, so live audio is off while the dialog is open and comes
// back afterwards if it ran.
void VTDialogWindows::ShowExport() {
    VTIOContraptionPool& pool = VTIOContraptionPool::instance();
    VTDocument* document = form_.Document();
    if (!document || !pool.soundOut()) return;
    const bool wasRunning = engine_.IsAudioRunning();
    if (wasRunning) engine_.StopAudio();
    ExportForm().Execute(document->Context(), pool);
    if (!wasRunning) return;
    try {
        engine_.StartAudio();
    } catch (const std::exception& e) {
        // The device may have gone while the dialog was open; audio stays off, as after any
        // failed start.
        VTMessageBox::show(e.what(), "Vantrel", VTMessageButtons::Ok, VTMessageIcon::Stop);
    }
}

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
