#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"
#include "editors/filters/TParaEQForm.h"

// The parametric equalisers' and the five combs' editors; both equalisers share one form.
void registerFilterForms(VTQtEditorFactory& factory) {
    factory.addForm("MParaEQ", formOf<TParaEQForm>());
    factory.addForm("SParaEQ", formOf<TParaEQForm>());
}
