#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"
#include "editors/synthesisers/TBasslineForm.h"

// The bassline synthesiser's editor.
void registerSynthesiserForms(VTQtEditorFactory& factory) {
    factory.addForm("Bassline", formOf<TBasslineForm>());
}
