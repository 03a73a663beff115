#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"
#include "editors/effects/TSSpatForm.h"

// The spatialiser's editor, with the spline path editor.
void registerSpatialiserForms(VTQtEditorFactory& factory) {
    factory.addForm("SSpat", formOf<TSSpatForm>());
}
