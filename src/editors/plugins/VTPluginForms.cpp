#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"
#include "editors/plugins/TVSTContraptionForm.h"
#include "library/plugins/VSTContraptionMaker.h"

// The hosted plug-ins' editor; every plug-in maker gets it, whatever its name.
void registerPluginForms(VTQtEditorFactory& factory) {
    factory.addFormForCategory(VSTContraptionMaker::kCategory, formOf<TVSTContraptionForm>());
}
