#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"

// The two granulators' editors.
void registerGranulatorForms(VTQtEditorFactory&) {}
