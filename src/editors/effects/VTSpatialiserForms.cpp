#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"

// The spatialiser's editor.
void registerSpatialiserForms(VTQtEditorFactory&) {}
