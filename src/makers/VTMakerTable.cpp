#include "makers/VTMakerTable.h"

#include <mutex>

#include "audio/VTIOContraptionMaker.h"
#include "contraptions/VTContraptionFactory.h"
#include "library/generators/VTTestSignalGenerator.h"

namespace {

// Registration is explicit and in one function because static constructors spread over several
// files run in no defined order. Each maker is a function-local static, alive to the end of the
// run; the factory, reached first from here, outlives them all.
//
// Keep this list in the table's order. A kind whose processor is not built yet has its line
// here as a comment until it arrives; add new kinds exactly at their place.
void registerInTableOrder() {
    VTContraptionFactory& factory = VTContraptionFactory::instance();
    auto add = [&factory](VTContraptionMaker& maker) { factory.registerMaker(maker); };

    static VTTestSignalGeneratorMaker testGen;  // "TestGen"
    add(testGen);
    static VTSoundInMaker soundIn;  // "SoundIn", input slot 0
    add(soundIn);
    static VTSoundOutMaker soundOut;  // "SoundOut", output slot 0
    add(soundOut);
    // "AuxOut1" ... "AuxOut7", output slots 1 ... 7
    static VTAuxOutMaker auxOuts[] = {VTAuxOutMaker(1), VTAuxOutMaker(2), VTAuxOutMaker(3),
                                      VTAuxOutMaker(4), VTAuxOutMaker(5), VTAuxOutMaker(6),
                                      VTAuxOutMaker(7)};
    for (VTAuxOutMaker& maker : auxOuts) add(maker);
    // "AuxIn1" ... "AuxIn7", input slots 1 ... 7
    static VTAuxInMaker auxIns[] = {VTAuxInMaker(1), VTAuxInMaker(2), VTAuxInMaker(3),
                                    VTAuxInMaker(4), VTAuxInMaker(5), VTAuxInMaker(6),
                                    VTAuxInMaker(7)};
    for (VTAuxInMaker& maker : auxIns) add(maker);
    // "Drums"
    // "Bassline"
    // "10Harmonics"
    // "NastyReverb"
    // "M2Buss" "M3Buss" "M4Buss" "M6Buss" "M8Buss" "M12Buss"
    // "S2Buss" "S3Buss" "S4Buss" "S6Buss" "S8Buss" "S12Buss"
    // "Crossfader"
    // "M2Mixer" "M3Mixer" "M4Mixer" "M6Mixer" "M8Mixer" "M12Mixer"
    // "S2Mixer" "S3Mixer" "S4Mixer" "S6Mixer" "S8Mixer" "S12Mixer"
    // "P2Mixer" "P3Mixer" "P4Mixer" "P6Mixer" "P8Mixer" "P12Mixer"
    // "Flanger"
    // "Phaser"
    // "MParaEQ"
    // "SParaEQ"
    // "5Combs"
    // "DLGranulator"
    // "BubbleBlower"
    // "RingAM"
    // "SDelay"
    // "SSpat"
    // "LoopPlayer"
    // "4x4Matrix"
    // "8x8Matrix"
}

}  // namespace

void registerAllMakers() {
    static std::once_flag once;
    std::call_once(once, registerInTableOrder);
}
