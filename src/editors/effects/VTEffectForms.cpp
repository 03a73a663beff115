#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"
#include "editors/effects/TNastyReverbForm.h"
#include "editors/effects/TRingAMForm.h"
#include "editors/effects/TSDelayForm.h"
#include "editors/effects/TSweepForm.h"

// The editors of the reverb, flanger, phaser, ring modulator and stereo delay.
void registerEffectForms(VTQtEditorFactory& factory) {
    factory.addForm("NastyReverb", formOf<TNastyReverbForm>());
    factory.addForm("Flanger", formOf<TFlangerForm>());
    factory.addForm("Phaser", formOf<TPhaserForm>());
    factory.addForm("RingAM", formOf<TRingAMForm>());
    factory.addForm("SDelay", formOf<TSDelayForm>());
}
