#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"
#include "editors/filters/TCombs5Form.h"
#include "editors/filters/TParaEQForm.h"

// The parametric equalisers' and the five combs' editors; both equalisers share one form.
void registerFilterForms(VTQtEditorFactory& factory) {
    factory.addForm("MParaEQ", formOf<TParaEQForm>());
    factory.addForm("SParaEQ", formOf<TParaEQForm>());
    factory.addForm("5Combs", formOf<TCombs5Form>());
}
