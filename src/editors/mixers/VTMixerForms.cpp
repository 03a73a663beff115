#include "editors/VTFormFamilies.h"
#include "editors/VTFormMaker.h"
#include "editors/mixers/TChannelMixerForm.h"
#include "editors/mixers/TCrossfaderForm.h"
#include "editors/mixers/TPanPotMixerForm.h"

// The mixers' and the crossfader's editors; every size of a mixer shares one form, which reads
// its channel count from the mixer.
void registerMixerForms(VTQtEditorFactory& factory) {
    for (const char* size : {"2", "3", "4", "6", "8", "12"}) {
        const std::string n = size;
        factory.addForm("M" + n + "Mixer", formOf<TMonoMixerForm>());
        factory.addForm("S" + n + "Mixer", formOf<TStereoMixerForm>());
        factory.addForm("P" + n + "Mixer", formOf<TPanPotMixerForm>());
    }
    factory.addForm("Crossfader", formOf<TCrossfaderForm>());
}
