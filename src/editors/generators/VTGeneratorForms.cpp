#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"
#include "editors/generators/TAdditive10Form.h"
#include "editors/generators/TTestGenForm.h"

// The signal generators' editors.
void registerGeneratorForms(VTQtEditorFactory& factory) {
    factory.addForm("TestGen", formOf<TTestGenForm>());
    factory.addForm("10Harmonics", formOf<TAdditive10Form>());
}
