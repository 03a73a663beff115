#include "makers/VTMakerTable.h"

#include <mutex>

#include "audio/VTIOContraptionMaker.h"
#include "contraptions/VTContraptionFactory.h"
#include "library/effects/VTCmixReverb.h"
#include "library/effects/VTFlanger.h"
#include "library/effects/VTPhaser.h"
#include "library/effects/VTRingAM.h"
#include "library/effects/VTSDelay.h"
#include "library/effects/VTSSpat.h"
#include "library/filters/VT5Combs.h"
#include "library/filters/VTMonoParametric.h"
#include "library/filters/VTStereoParametric.h"
#include "library/generators/VTAdditive10.h"
#include "library/generators/VTTestSignalGenerator.h"
#include "library/granulators/VTBubbleBlower.h"
#include "library/granulators/VTDLGranulator.h"
#include "library/matrices/VTMatrixMixer.h"
#include "library/mixers/VTBussMakers.h"
#include "library/mixers/VTCrossfader.h"
#include "library/mixers/VTMonoMixer.h"
#include "library/mixers/VTPanPotMixer.h"
#include "library/mixers/VTStereoMixer.h"
#include "library/sequencers/VTDrums.h"
#include "library/sequencers/VTLoopPlayer.h"
#include "library/synthesisers/VTBassline.h"

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
    auto addAll = [&add](auto&... makers) { (add(makers), ...); };

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
    static VTDrumsMaker drums;  // "Drums"
    add(drums);
    static VTBasslineMaker bassline;  // "Bassline"
    add(bassline);
    static VTAdditive10Maker additive10;  // "10Harmonics"
    add(additive10);
    static VTCmixReverbMaker nastyReverb;  // "NastyReverb"
    add(nastyReverb);
    static TMonoBuss_2_Maker m2Buss;
    static TMonoBuss_3_Maker m3Buss;
    static TMonoBuss_4_Maker m4Buss;
    static TMonoBuss_6_Maker m6Buss;
    static TMonoBuss_8_Maker m8Buss;
    static TMonoBuss_12_Maker m12Buss;
    addAll(m2Buss, m3Buss, m4Buss, m6Buss, m8Buss, m12Buss);
    static TStereoBuss_2_Maker s2Buss;
    static TStereoBuss_3_Maker s3Buss;
    static TStereoBuss_4_Maker s4Buss;
    static TStereoBuss_6_Maker s6Buss;
    static TStereoBuss_8_Maker s8Buss;
    static TStereoBuss_12_Maker s12Buss;
    addAll(s2Buss, s3Buss, s4Buss, s6Buss, s8Buss, s12Buss);
    static VTCrossfaderMaker crossfader;  // "Crossfader"
    add(crossfader);
    static VTMonoMixerMaker<2> m2Mixer;
    static VTMonoMixerMaker<3> m3Mixer;
    static VTMonoMixerMaker<4> m4Mixer;
    static VTMonoMixerMaker<6> m6Mixer;
    static VTMonoMixerMaker<8> m8Mixer;
    static VTMonoMixerMaker<12> m12Mixer;
    addAll(m2Mixer, m3Mixer, m4Mixer, m6Mixer, m8Mixer, m12Mixer);
    static VTStereoMixerMaker<2> s2Mixer;
    static VTStereoMixerMaker<3> s3Mixer;
    static VTStereoMixerMaker<4> s4Mixer;
    static VTStereoMixerMaker<6> s6Mixer;
    static VTStereoMixerMaker<8> s8Mixer;
    static VTStereoMixerMaker<12> s12Mixer;
    addAll(s2Mixer, s3Mixer, s4Mixer, s6Mixer, s8Mixer, s12Mixer);
    static VTPanPotMixerMaker<2> p2Mixer;
    static VTPanPotMixerMaker<3> p3Mixer;
    static VTPanPotMixerMaker<4> p4Mixer;
    static VTPanPotMixerMaker<6> p6Mixer;
    static VTPanPotMixerMaker<8> p8Mixer;
    static VTPanPotMixerMaker<12> p12Mixer;
    addAll(p2Mixer, p3Mixer, p4Mixer, p6Mixer, p8Mixer, p12Mixer);
    static VTFlangerMaker flanger;  // "Flanger"
    add(flanger);
    static VTPhaserMaker phaser;  // "Phaser"
    add(phaser);
    static VTMonoParametricMaker monoParaEq;  // "MParaEQ"
    add(monoParaEq);
    static VTStereoParametricMaker stereoParaEq;  // "SParaEQ"
    add(stereoParaEq);
    static VT5CombsMaker fiveCombs;  // "5Combs"
    add(fiveCombs);
    static VTDLGranulatorMaker dlGranulator;  // "DLGranulator"
    add(dlGranulator);
    static VTBubbleBlowerMaker bubbleBlower;  // "BubbleBlower"
    add(bubbleBlower);
    static VTRingAMMaker ringAM;  // "RingAM"
    add(ringAM);
    static VTSDelayMaker sDelay;  // "SDelay"
    add(sDelay);
    static VTSSpatMaker sSpat;  // "SSpat"
    add(sSpat);
    static VTLoopPlayerMaker loopPlayer;  // "LoopPlayer"
    add(loopPlayer);
    static VTMatrixMixerMaker<4> matrix4;  // "4x4Matrix"
    add(matrix4);
    static VTMatrixMixerMaker<8> matrix8;  // "8x8Matrix"
    add(matrix8);
}

}  // namespace

void registerAllMakers() {
    static std::once_flag once;
    std::call_once(once, registerInTableOrder);
}
