#include "app/dialogs/VTDialogWindows.h"

#include "app/gui/TMainForm.h"
#include "audio/TRealTimeEngine.h"

VTDialogWindows::VTDialogWindows(TMainForm& form, TRealTimeEngine& engine)
    : form_(form), engine_(engine) {}

VTDialogWindows::~VTDialogWindows() = default;

void VTDialogWindows::ShowExport() {}

void VTDialogWindows::ShowSettings() {}

void VTDialogWindows::ShowModulation() {}

void VTDialogWindows::ShowQuickMap() {}
