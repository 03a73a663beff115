#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"

// The parametric equalisers' and the five combs' editors.
void registerFilterForms(VTQtEditorFactory&) {}
