#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"
#include "editors/sequencers/TLoopPlayerForm.h"

// The drum sequencer's and the loop player's editors.
void registerSequencerForms(VTQtEditorFactory& factory) {
    factory.addForm("LoopPlayer", formOf<TLoopPlayerForm>());
}
