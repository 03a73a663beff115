#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"

// The drum sequencer's and the loop player's editors.
void registerSequencerForms(VTQtEditorFactory&) {}
