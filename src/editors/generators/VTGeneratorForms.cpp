#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"
#include "editors/generators/TTestGenForm.h"

// The signal generators' editors.
void registerGeneratorForms(VTQtEditorFactory& factory) {
    factory.addForm("TestGen", formOf<TTestGenForm>());
}
