#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"

// The bassline synthesiser's editor.
void registerSynthesiserForms(VTQtEditorFactory&) {}
