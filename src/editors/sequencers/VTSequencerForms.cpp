#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"
#include "editors/sequencers/TDrumsForm.h"
#include "editors/sequencers/TLoopPlayerForm.h"

// The drum sequencer's and the loop player's editors.
void registerSequencerForms(VTQtEditorFactory& factory) {
    factory.addForm("Drums", formOf<TDrumsForm>());
    factory.addForm("LoopPlayer", formOf<TLoopPlayerForm>());
}
