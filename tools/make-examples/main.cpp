// Writes the example patches and the sound files they play:
//   vantrel_make_examples REPOSITORY
// puts the patches in REPOSITORY/examples, their sound files in REPOSITORY/examples/samples and
// the render tests' own patches in REPOSITORY/tests/app/data. Every patch is built through the
// document, as the main window builds one, and saved by it.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "VTExamplePatch.h"
#include "VTExampleSamples.h"
#include "app/cli/VTRenderCommand.h"
#include "contraptions/VTContraption.h"
#include "document/KDMessageDocumentDialogs.h"
#include "document/VTPaneLayoutDocAppData.h"
#include "document/VTDocument.h"

namespace {

using C = VTContraption*;

// A sine test tone of 440 Hz on both sides: the simplest patch, and one whose pitch the render
// test checks.
void testTone(VTExamplePatch& p) {
    C tone = p.add("TestGen", 40, 40);
    p.set(tone, "Amplitude", "0.5").set(tone, "Frequency", "440").set(tone, "Waveform", "1");
    C out = p.add("SoundOut", 240, 40);
    p.wire(tone, 0, out, 0);
    p.wire(tone, 0, out, 1);
}

// The demo: drums and a bassline, the drums through the reverb, the bassline through the
// stereo delay, mixed on a four-channel stereo mixer.
void groove(VTExamplePatch& p) {
    C drums = p.add("Drums", 40, 40);
    p.set(drums, "Volume", "1");
    const char* files[5] = {"samples/kick.wav", "samples/snare.wav", "samples/hihat.wav",
                            "samples/clap.wav", "samples/tom.wav"};
    const char* volumes[5] = {"1", "0.7", "0.45", "0.5", "0.6"};
    // Two bars of sixteenths, bit 0 first: four on the floor, backbeat, eighth hats, a clap
    // before the turn and a tom fill at the end.
    const char* gates[5] = {"286331153", "269488144", "1431655765", "268439552", "-1073725440"};
    for (int r = 0; r < 5; ++r) {
        const std::string n = std::to_string(r);
        p.set(drums, "File_" + n, files[r]).set(drums, "Volume_" + n, volumes[r]);
        p.set(drums, "Gates_" + n, gates[r]);
    }
    C bass = p.add("Bassline", 40, 200);
    p.set(bass, "Volume", "0.6").set(bass, "CutoffFreq", "0.35").set(bass, "Resonance", "0.7");
    p.set(bass, "EnvMod", "0.7").set(bass, "Decay", "0.4").set(bass, "Accent", "0.6");
    p.set(bass, "Accents", "4369");
    C reverb = p.add("NastyReverb", 240, 40);
    p.set(reverb, "ReverbTime", "1.2").set(reverb, "WetDryMix", "0.2");
    C delay = p.add("SDelay", 240, 200);
    p.set(delay, "LeftDelay", "375").set(delay, "RightDelay", "250");
    p.set(delay, "Feedback", "0.35").set(delay, "WetDryMix", "0.3");
    C mixer = p.add("S4Mixer", 440, 120);
    p.set(mixer, "MasterGain", "0.4").set(mixer, "Gain_0", "0.9").set(mixer, "Gain_1", "0.7");
    C out = p.add("SoundOut", 640, 120);
    p.wire(drums, 0, reverb, 0);
    p.wire(bass, 0, delay, 0);
    p.wire(bass, 0, delay, 1);
    p.wireStereo(reverb, mixer, 0);
    p.wireStereo(delay, mixer, 2);
    p.wireStereo(mixer, out);
}

// Tone colours: an additive drone ring-modulated, through flanger, phaser, combs and the two
// equalisers; a noise-free triangle of tones into the delay-line granulator, and the spatialiser.
void textures(VTExamplePatch& p) {
    C drone = p.add("10Harmonics", 40, 40);
    p.set(drone, "Frequency", "110").set(drone, "Gain", "0.25");
    for (int k = 0; k < 10; ++k)
        p.set(drone, "Amp_" + std::to_string(k), std::to_string(1.0 / (k + 1)));
    C carrier = p.add("TestGen", 40, 160);
    p.set(carrier, "Amplitude", "0.35")
        .set(carrier, "Frequency", "165")
        .set(carrier, "Waveform", "1");
    C ring = p.add("RingAM", 200, 40);
    p.set(ring, "Frequency", "220").set(ring, "AM", "1");
    C flanger = p.add("Flanger", 360, 40);
    p.set(flanger, "Rate", "0.4").set(flanger, "Feedback", "0.5").set(flanger, "WetDryMix", "0.5");
    C phaser = p.add("Phaser", 520, 40);
    p.set(phaser, "Rate", "0.25").set(phaser, "Feedback", "0.4").set(phaser, "Depth", "0.8");
    C combs = p.add("5Combs", 680, 40);
    p.set(combs, "InputGain", "0.2");
    for (int k = 0; k < 5; ++k) p.set(combs, "Gain_" + std::to_string(k), "0.5");
    C eq = p.add("MParaEQ", 840, 40);
    p.set(eq, "BP1Gain", "6").set(eq, "LSGain", "-6");
    C granulator = p.add("DLGranulator", 200, 200);
    p.set(granulator, "Amplitude", "0.6 0.9").set(granulator, "DelayTime", "50 400");
    p.set(granulator, "PitchScaler", "0.5 2").set(granulator, "WetDryMix", "0.7");
    C spat = p.add("SSpat", 360, 200);
    C stereoEq = p.add("SParaEQ", 520, 200);
    p.set(stereoEq, "HSGain", "-6");
    C buss = p.add("S3Buss", 1000, 120);
    C out = p.add("SoundOut", 1160, 120);
    p.wire(drone, 0, ring, 0);
    p.wire(carrier, 0, ring, 1);
    p.wire(ring, 0, flanger, 0);
    p.wire(flanger, 0, phaser, 0);
    p.wire(phaser, 0, combs, 0);
    p.wire(combs, 0, eq, 0);
    p.wire(eq, 0, buss, 0);
    p.wire(eq, 0, buss, 1);
    p.wire(carrier, 0, granulator, 0);
    p.wireStereo(granulator, stereoEq);
    p.wireStereo(stereoEq, buss, 2);
    p.wire(drone, 0, spat, 0);
    p.wire(spat, 0, buss, 4);
    p.wire(spat, 1, buss, 5);
    p.wireStereo(buss, out);
}

// Sound files: a tempo-locked loop and a granulated voice, crossfaded, through the matrices.
void loops(VTExamplePatch& p) {
    C loop = p.add("LoopPlayer", 40, 40);
    p.set(loop, "File", "samples/loop.wav").set(loop, "BarCount", "2").set(loop, "Stretch", "1");
    C grains = p.add("BubbleBlower", 40, 200);
    p.set(grains, "File", "samples/voice.wav").set(grains, "Amplitude", "0.3 0.5");
    p.set(grains, "Inskip", "200 2500").set(grains, "PitchScaler", "0.5 1.5");
    p.set(grains, "Density", "30").set(grains, "GrainDuration", "60 120");
    C fader = p.add("Crossfader", 240, 120);
    p.set(fader, "Fade", "0.5").set(fader, "MasterGain", "0.4");
    C small = p.add("4x4Matrix", 420, 120);
    C large = p.add("8x8Matrix", 600, 120);
    for (int k = 0; k < 2; ++k) {
        const std::string g = "Gate" + std::to_string(k) + "_" + std::to_string(k);
        p.set(small, g, "1").set(large, g, "1");
    }
    C out = p.add("SoundOut", 780, 120);
    p.wireStereo(loop, fader, 0);
    p.wireStereo(grains, fader, 2);
    p.wireStereo(fader, small);
    p.wire(small, 0, large, 0);
    p.wire(small, 1, large, 1);
    p.wire(large, 0, out, 0);
    p.wire(large, 1, out, 1);
}

// Every mixer and buss size, one after another: a tone passed down the whole chain.
void mixers(VTExamplePatch& p) {
    C tone = p.add("TestGen", 40, 40);
    p.set(tone, "Amplitude", "0.5").set(tone, "Frequency", "330").set(tone, "Waveform", "1");
    const int sizes[6] = {2, 3, 4, 6, 8, 12};
    C mono = tone;
    int x = 200;
    for (const char* kind : {"M%dBuss", "M%dMixer"}) {
        for (int n : sizes) {
            char name[16];
            std::snprintf(name, sizeof name, kind, n);
            C c = p.add(name, x, 40);
            x += 140;
            if (std::string(kind) == "M%dMixer") p.set(c, "MasterGain", "1").set(c, "Gain_0", "1");
            p.wire(mono, 0, c, 0);
            mono = c;
        }
    }
    // The mono chain enters the stereo chain on both sides.
    C left = mono, right = mono;
    int lo = 0, ro = 0;
    x = 200;
    for (const char* kind : {"S%dBuss", "S%dMixer", "P%dMixer"}) {
        for (int n : sizes) {
            char name[16];
            std::snprintf(name, sizeof name, kind, n);
            C c = p.add(name, x, 240);
            x += 140;
            const std::string k = kind;
            if (k == "S%dMixer") p.set(c, "MasterGain", "1").set(c, "Gain_0", "1");
            if (k == "P%dMixer")
                p.set(c, "MasterGain", "1")
                    .set(c, "Gain_0", "1")
                    .set(c, "Gain_1", "1")
                    .set(c, "Pan_0", "0")
                    .set(c, "Pan_1", "1");
            p.wire(left, lo, c, 0);
            p.wire(right, ro, c, 1);
            left = right = c;
            lo = 0;
            ro = 1;
        }
    }
    C out = p.add("SoundOut", x, 240);
    p.wire(left, 0, out, 0);
    p.wire(right, 1, out, 1);
}

// The device inputs and outputs. Off-line every input is silent, so a chord of test tones
// carries the sound; the sound input and the auxiliary inputs feed the auxiliary outputs.
void devices(VTExamplePatch& p) {
    C in = p.add("SoundIn", 40, 40);
    C mix = p.add("S2Mixer", 240, 40);
    p.set(mix, "MasterGain", "1").set(mix, "Gain_0", "1").set(mix, "Gain_1", "1");
    C low = p.add("TestGen", 40, 160);
    p.set(low, "Amplitude", "0.3").set(low, "Frequency", "220").set(low, "Waveform", "1");
    C high = p.add("TestGen", 40, 240);
    p.set(high, "Amplitude", "0.2").set(high, "Frequency", "330").set(high, "Waveform", "1");
    C out = p.add("SoundOut", 440, 40);
    p.wireStereo(in, mix, 0);
    p.wire(low, 0, mix, 2);
    p.wire(high, 0, mix, 3);
    p.wireStereo(mix, out);
    for (int k = 1; k <= 7; ++k) {
        C aux = p.add("AuxIn" + std::to_string(k), 40 + 100 * k, 360);
        C send = p.add("AuxOut" + std::to_string(k), 40 + 100 * k, 460);
        p.wireStereo(k == 1 ? in : aux, send);
    }
}

// For the render tests: the sound input playing a file named with a placeholder for the
// folder, which the test fills in, since the sound input keeps full paths.
void soundInFile(VTExamplePatch& p) {
    C in = p.add("SoundIn", 40, 40);
    p.set(in, "UseADC", "0").set(in, "InputFile", "@SAMPLES@/voice.wav").set(in, "Active", "1");
    C out = p.add("SoundOut", 240, 40);
    p.wireStereo(in, out);
}

// For the render tests: a tone that goes nowhere.
void noSoundOut(VTExamplePatch& p) {
    C tone = p.add("TestGen", 40, 40);
    C buss = p.add("M2Buss", 240, 40);
    p.wire(tone, 0, buss, 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s REPOSITORY\n", argv[0]);
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path root = fs::absolute(argv[1]);
    const fs::path examples = root / "examples", data = root / "tests" / "app" / "data";
    fs::create_directories(examples / "samples");
    fs::create_directories(data);
    if (!VTExampleSamples::writeAll((examples / "samples").string())) {
        std::fprintf(stderr, "make-examples: cannot write the sound files\n");
        return 1;
    }
    // Sound-file names are kept relative to the patches' folder, as the program stores them.
    VTRenderCommand::prepareProgram((examples / "groove.vtx").string());
    // The patcher pane is wide enough to show each whole patch when the window opens it.
    auto layout = std::make_unique<VTPaneLayoutDocAppData>();
    layout->patcherWidth = 740;
    auto document = VTDocument::Create(std::move(layout), std::make_unique<KDMessageDocumentDialogs>());
    struct Patch {
        void (*build)(VTExamplePatch&);
        fs::path file;
    } patches[] = {
        {testTone, examples / "test-tone.vtx"},   {groove, examples / "groove.vtx"},
        {textures, examples / "textures.vtx"},    {loops, examples / "loops.vtx"},
        {mixers, examples / "mixers.vtx"},        {devices, examples / "devices.vtx"},
        {soundInFile, data / "soundin-file.vtx"}, {noSoundOut, data / "no-soundout.vtx"},
    };
    for (const Patch& patch : patches) {
        VTExamplePatch p(*document);
        patch.build(p);
        p.save(patch.file.string());
    }
    document->Reset();
    return 0;
}
