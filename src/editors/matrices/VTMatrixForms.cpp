#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"

// The matrix mixers' editors.
void registerMatrixForms(VTQtEditorFactory&) {}
