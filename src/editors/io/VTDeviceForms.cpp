#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"
#include "editors/io/TSoundInForm.h"
#include "editors/io/TSoundOutForm.h"

// The device inputs' and outputs' editors; the auxiliary ones have the common window only.
void registerDeviceForms(VTQtEditorFactory& factory) {
    factory.addForm("SoundIn", formOf<TSoundInForm>());
    factory.addForm("SoundOut", formOf<TSoundOutForm>());
}
