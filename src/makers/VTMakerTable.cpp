#include "makers/VTMakerTable.h"

#include <mutex>

#include "contraptions/VTContraptionFactory.h"
#include "library/effects/VTSSpat.h"
#include "library/generators/VTTestSignalGenerator.h"
#include "library/granulators/VTBubbleBlower.h"
#include "library/granulators/VTDLGranulator.h"
#include "library/sequencers/VTLoopPlayer.h"

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
    // "SoundIn"                      (device I/O, input slot 0)
    // "SoundOut"                     (device I/O, output slot 0)
    // "AuxOut1" ... "AuxOut7"        (device I/O, output slots 1 ... 7)
    // "AuxIn1" ... "AuxIn7"          (device I/O, input slots 1 ... 7)
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
    static VTDLGranulatorMaker dlGranulator;  // "DLGranulator"
    add(dlGranulator);
    static VTBubbleBlowerMaker bubbleBlower;  // "BubbleBlower"
    add(bubbleBlower);
    // "RingAM"
    // "SDelay"
    static VTSSpatMaker sSpat;  // "SSpat"
    add(sSpat);
    static VTLoopPlayerMaker loopPlayer;  // "LoopPlayer"
    add(loopPlayer);
    // "4x4Matrix"
    // "8x8Matrix"
}

}  // namespace

void registerAllMakers() {
    static std::once_flag once;
    std::call_once(once, registerInTableOrder);
}
