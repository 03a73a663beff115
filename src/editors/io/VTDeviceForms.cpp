#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"

// The sound input's and sound output's editors.
void registerDeviceForms(VTQtEditorFactory&) {}
