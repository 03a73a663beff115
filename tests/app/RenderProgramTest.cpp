#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "AudioTestFiles.h"
#include "ProgramRunner.h"

namespace {

namespace fs = std::filesystem;
using AudioTestFiles::readWav;
using ProgramRunner::Outcome;
using ProgramRunner::Sandbox;

std::string example(const std::string& name) {
    return std::string(VANTREL_EXAMPLES_DIR) + "/" + name;
}

bool configLeftEmpty(const Sandbox& box) {
    return fs::is_empty(box.configDir()) && fs::is_empty(box.dir() + "/home/.config");
}

struct Loudness {
    double rms = 0.0;
    int peak = 0;
};

Loudness channelLoudness(const std::vector<std::int16_t>& s, int channel) {
    Loudness l;
    double sum = 0.0;
    std::size_t n = 0;
    for (std::size_t i = channel; i < s.size(); i += 2, ++n) {
        sum += double(s[i]) * s[i];
        l.peak = std::max(l.peak, std::abs(int(s[i])));
    }
    l.rms = n ? std::sqrt(sum / n) : 0.0;
    return l;
}

// Rising zero crossings per second of one channel.
double frequency(const std::vector<std::int16_t>& s, int channel) {
    int crossings = 0;
    for (std::size_t i = channel + 2; i < s.size(); i += 2)
        if (s[i - 2] < 0 && s[i] >= 0) ++crossings;
    return crossings / (double(s.size() / 2) / 44100.0);
}

TEST(Program, VersionAndHelpAnswerOnStandardOutput) {
    Sandbox box;
    Outcome v = box.run({"--version"});
    EXPECT_EQ(v.status, 0);
    EXPECT_EQ(v.out, "Vantrel 0.8\n");
    Outcome h = box.run({"--help"});
    EXPECT_EQ(h.status, 0);
    EXPECT_NE(h.out.find("--render PATCH.vtx OUT.wav"), std::string::npos);
    EXPECT_TRUE(h.err.empty());
    EXPECT_TRUE(configLeftEmpty(box));
}

TEST(Program, BadArgumentsAreNamedAndFail) {
    Sandbox box;
    Outcome o = box.run({"--render", "a.vtx", box.path("out.wav"), "--length", "0"});
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(
        o.err.find(
            "Vantrel Command Line Error: The length must be a number from 0.1 to 10000, not \"0\""),
        std::string::npos)
        << o.err;
    EXPECT_FALSE(fs::exists(box.path("out.wav")));
    o = box.run({"--frobnicate"});
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find("Bad command line parameter number 1: \"--frobnicate\""),
              std::string::npos)
        << o.err;
}

TEST(Program, RendersTheTestToneWithoutDisplayDeviceOrSettings) {
    Sandbox box;
    const std::string out = box.path("tone.wav");
    Outcome o = box.run({"--render", example("test-tone.vtx"), out});
    ASSERT_EQ(o.status, 0) << o.err;
    auto wav = readWav(out);
    ASSERT_TRUE(wav.ok);
    EXPECT_EQ(wav.rate, 44100u);
    EXPECT_EQ(wav.channels, 2u);
    EXPECT_EQ(wav.dataSize, 352800u) << "one bar at 120 BPM";
    EXPECT_NEAR(frequency(wav.samples, 0), 440.0, 2.0);
    EXPECT_NEAR(frequency(wav.samples, 1), 440.0, 2.0);
    EXPECT_EQ(o.out.rfind("Wrote 88200 frames (2.000 s) in ", 0), 0u) << o.out;
    EXPECT_NE(o.out.find("x real time: " + out + "\n"), std::string::npos) << o.out;
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 1);
    EXPECT_TRUE(configLeftEmpty(box));
}

TEST(Program, EveryExampleRendersAudibleStereo) {
    Sandbox box;
    int examples = 0;
    for (const auto& entry : fs::directory_iterator(VANTREL_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".vtx") continue;
        ++examples;
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        const std::string out = box.path(name + ".wav");
        Outcome o = box.run({"--render", entry.path().string(), out});
        ASSERT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(o.err.find("Error"), std::string::npos) << o.err;
        auto wav = readWav(out);
        ASSERT_TRUE(wav.ok);
        EXPECT_EQ(wav.rate, 44100u);
        EXPECT_EQ(wav.channels, 2u);
        EXPECT_EQ(wav.samples.size(), 2u * 88200u);
        for (int c = 0; c < 2; ++c) {
            const Loudness l = channelLoudness(wav.samples, c);
            EXPECT_GT(l.rms, 300.0) << "channel " << c;
            EXPECT_LT(l.peak, 32767) << "channel " << c << " clips";
        }
    }
    EXPECT_GE(examples, 5);
    EXPECT_TRUE(configLeftEmpty(box));
}

TEST(Program, ModesAndLengthsReachTheExport) {
    Sandbox box;
    struct Case {
        std::vector<std::string> options;
        const char* patch;
        std::size_t frames;
    } cases[] = {
        {{"--mode", "timed", "--length", "0.5", "--preroll", "1"}, "groove.vtx", 22050},
        {{"--length", "2", "--preroll", "1"}, "groove.vtx", 176400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.options));
        const std::string out = box.path("modes.wav");
        std::vector<std::string> args = {"--render", example(c.patch), out};
        args.insert(args.end(), c.options.begin(), c.options.end());
        Outcome o = box.run(args);
        ASSERT_EQ(o.status, 0) << o.err;
        auto wav = readWav(out);
        EXPECT_EQ(wav.samples.size(), 2 * c.frames);
        EXPECT_GT(channelLoudness(wav.samples, 0).rms, 300.0);
    }
}

TEST(Program, SoundInModeRendersTheRewoundFile) {
    Sandbox box;
    // The sound input keeps a full path: the test's patch names the examples' voice.
    std::string text =
        ProgramRunner::readText(std::string(VANTREL_TEST_DATA_DIR) + "/soundin-file.vtx");
    const std::string placeholder = "@SAMPLES@";
    const std::size_t at = text.find(placeholder);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, placeholder.size(), example("samples"));
    const std::string patch = box.path("soundin.vtx"), out = box.path("soundin.wav");
    std::ofstream(patch, std::ios::binary) << text;

    Outcome o = box.run({"--render", patch, out, "--mode=soundin", "--length=3", "--preroll", "1"});
    ASSERT_EQ(o.status, 0) << o.err;
    auto wav = readWav(out);
    auto voice = readWav(example("samples/voice.wav"));
    ASSERT_EQ(wav.samples.size(), 2u * 132300u);
    ASSERT_EQ(voice.channels, 2u);
    // The file plays from its first frame with the first recorded one, through the graph's
    // floats and back.
    for (std::size_t i = 0; i < 2 * 44100; ++i)
        ASSERT_NEAR(wav.samples[i], voice.samples[i], 1) << i;
}

class FailedRender : public ::testing::Test {
protected:
    void write(const std::string& name, const std::string& text) {
        std::ofstream(box.path(name), std::ios::binary) << text;
    }
    Outcome render(const std::string& patch) { return box.run({"--render", patch, out}); }
    void expectNoOutput(const Outcome& o) {
        EXPECT_NE(o.status, 0);
        EXPECT_FALSE(fs::exists(out));
        EXPECT_TRUE(configLeftEmpty(box));
    }
    Sandbox box;
    std::string out = box.path("out.wav");
};

TEST_F(FailedRender, MissingPatch) {
    Outcome o = render(box.path("none.vtx"));
    expectNoOutput(o);
    EXPECT_NE(o.err.find("none.vtx"), std::string::npos) << o.err;
}

TEST_F(FailedRender, DamagedPatchGivesTheReadersMessage) {
    write("garbage.vtx", std::string("\x01\x02 not a patch\n\xff\xfe", 18));
    Outcome o = render(box.path("garbage.vtx"));
    expectNoOutput(o);
    EXPECT_NE(o.err.find("Error Reading Document"), std::string::npos) << o.err;
}

TEST_F(FailedRender, PatchWithoutSoundOut) {
    Outcome o = render(std::string(VANTREL_TEST_DATA_DIR) + "/no-soundout.vtx");
    expectNoOutput(o);
    EXPECT_NE(o.err.find("no SoundOut"), std::string::npos) << o.err;
}

TEST_F(FailedRender, OutputThatCannotBeCreated) {
    out = box.path("no-folder/out.wav");
    Outcome o = render(example("test-tone.vtx"));
    expectNoOutput(o);
    EXPECT_NE(o.err.find("Vantrel: An error occurred while saving the file."), std::string::npos)
        << o.err;
}

TEST_F(FailedRender, SoundInModeWithoutASoundInFile) {
    Outcome o = box.run({"--render", example("test-tone.vtx"), out, "--mode", "soundin"});
    expectNoOutput(o);
    EXPECT_NE(o.err.find("--mode soundin"), std::string::npos) << o.err;
}

TEST_F(FailedRender, OutputNamingThePatchLeavesThePatchAlone) {
    const std::string patch = box.path("tone.vtx");
    fs::copy_file(example("test-tone.vtx"), patch);
    const std::string before = ProgramRunner::readText(patch);
    Outcome o = box.run({"--render", patch, box.dir() + "/./tone.vtx"});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(ProgramRunner::readText(patch), before);
    EXPECT_NE(o.err.find("is the patch itself"), std::string::npos) << o.err;
}

TEST_F(FailedRender, InterruptedRenderLeavesNoFile) {
    // Hours of sound: only the interrupt ends it.
    Outcome o = box.run(
        {"--render", example("groove.vtx"), out, "--mode", "timed", "--length", "10000"}, out);
    expectNoOutput(o);
    EXPECT_EQ(o.status, 130);
    EXPECT_NE(o.err.find("cancelled"), std::string::npos) << o.err;
}

}  // namespace
