#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "AudioTestFiles.h"
#include "ProgramRunner.h"

// The headless render with a real plug-in between the test generator and the main output: the
// render's start-up must find the plug-in in the usual folders before it reads the patch.
namespace {

using AudioTestFiles::readWav;
using ProgramRunner::Outcome;
using ProgramRunner::Sandbox;

const char* kPluginFolder = "/usr/lib/vst";
const char* kBitcrusher = "MaBitcrush-vst";

std::string emptyPresets() {
    std::string s = "{ {  }";
    for (int k = 1; k < 20; ++k) s += ", {  }";
    return s + " }";
}

std::string entry(const std::string& maker, const std::string& name, const std::string& values,
                  int x) {
    return "\t" + maker + "\t" + name + "\t" + values + "\t" + emptyPresets() + "{ }{ " +
           std::to_string(x) + " 40 F Z Z 0 0 Z Z Z Z  }\t\n";
}

// TestGen's sine at half scale into SoundOut, through the bitcrusher when `resolution` is given.
std::string patch(const std::string* resolution) {
    std::string text = ".vtx 0.6\ntempo:\n\t120\ncontraptions:\n";
    text += entry("TestGen", "TestGen_1", "{ 0.5, 437, 1 }", 40);
    if (resolution)
        text += entry(kBitcrusher, std::string(kBitcrusher) + "_1", "{ " + *resolution + " }", 140);
    text += entry("SoundOut", "SoundOut", "{ \"\", 0, 0, 0, 300 }", 240);
    text += "connections:\n";
    const std::string source = resolution ? std::string(kBitcrusher) + "_1" : "TestGen_1";
    if (resolution) text += "\tTestGen_1\t0\t" + source + "\t0\n";
    text += "\t" + source + "\t0\tSoundOut\t0\n";
    text += "\t" + source + "\t" + (resolution ? "1" : "0") + "\tSoundOut\t1\n";
    return text + "controllers:\nend\n";
}

struct Rendered {
    bool ok = false;
    std::size_t distinct = 0;  // distinct sample values of the left channel after the first second
    double rms = 0.0;
};

Rendered render(const Sandbox& box, const std::string& name, const std::string* resolution) {
    const std::string patchPath = box.path(name + ".vtx");
    std::ofstream(patchPath, std::ios::binary) << patch(resolution);
    const std::string out = box.path(name + ".wav");
    Outcome o = box.run({"--render", patchPath, out});
    Rendered r;
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err.find("Error"), std::string::npos) << o.err;
    auto wav = readWav(out);
    if (!wav.ok || wav.channels != 2u || wav.samples.size() < 2u * 88200u) return r;
    std::set<std::int16_t> values;
    double sum = 0.0;
    std::size_t n = 0;
    for (std::size_t i = 2 * 44100; i < wav.samples.size(); i += 2, ++n) {
        values.insert(wav.samples[i]);
        sum += double(wav.samples[i]) * wav.samples[i];
    }
    r.ok = true;
    r.distinct = values.size();
    r.rms = n ? std::sqrt(sum / n) : 0.0;
    return r;
}

}  // namespace

TEST(PluginRender, TheBitcrusherBetweenTestGenAndSoundOutQuantisesTheSine) {
    if (!std::filesystem::exists(std::string(kPluginFolder) + "/" + kBitcrusher + ".so"))
        GTEST_SKIP() << "dpf-plugins-vst is missing: scripts/install-deps.sh installs it";
    // The plug-in folders the program scans: only the system's, whatever the caller has set.
    const char* previous = std::getenv("VST_PATH");
    const std::string kept = previous ? previous : "";
    setenv("VST_PATH", kPluginFolder, 1);
    Sandbox box;
    const std::string sixBits = "0.333333", oneBit = "0";
    Rendered plain = render(box, "plain", nullptr);
    Rendered crushed = render(box, "crushed", &sixBits);
    Rendered harsh = render(box, "harsh", &oneBit);
    if (previous)
        setenv("VST_PATH", kept.c_str(), 1);
    else
        unsetenv("VST_PATH");

    ASSERT_TRUE(plain.ok && crushed.ok && harsh.ok);
    EXPECT_GT(plain.distinct, 200u) << "the sine itself";
    EXPECT_LE(crushed.distinct, 65u);
    EXPECT_GE(crushed.distinct, 4u);
    EXPECT_LE(harsh.distinct, 2u);
    // Still the sound of the patch, not silence.
    EXPECT_GT(crushed.rms, 0.5 * plain.rms);
    EXPECT_GT(harsh.rms, 0.5 * plain.rms);
}
