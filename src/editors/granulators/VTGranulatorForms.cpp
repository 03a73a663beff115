#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"
#include "editors/granulators/TBubbleBlowerForm.h"
#include "editors/granulators/TDLGranulatorForm.h"

// The granulators' editors.
void registerGranulatorForms(VTQtEditorFactory& factory) {
    factory.addForm("DLGranulator", formOf<TDLGranulatorForm>());
    factory.addForm("BubbleBlower", formOf<TBubbleBlowerForm>());
}
