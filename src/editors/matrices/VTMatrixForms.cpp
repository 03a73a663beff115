#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"
#include "editors/matrices/TFMatrixForm.h"

// The routing matrices' editors.
void registerMatrixForms(VTQtEditorFactory& factory) {
    factory.addForm("4x4Matrix", formOf<TF4x4MatrixForm>());
    factory.addForm("8x8Matrix", formOf<TF8x8MatrixForm>());
}
