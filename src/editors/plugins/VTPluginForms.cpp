#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"

// The hosted plug-ins' editor.
void registerPluginForms(VTQtEditorFactory&) {}
