#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"

// The editors of the reverb, flanger, phaser, ring modulator and stereo delay.
void registerEffectForms(VTQtEditorFactory&) {}
