#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"

// The mixers' and the crossfader's editors.
void registerMixerForms(VTQtEditorFactory&) {}
