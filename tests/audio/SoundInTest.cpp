#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "AudioTestFiles.h"
#include "audio/VTSoundIn.h"
#include "support/AudioThreadGuard.h"

namespace {

using AudioTestFiles::patternSample;
using AudioTestFiles::patternSamples;
using AudioTestFiles::writeWav;

float asFloat(std::int16_t s) { return static_cast<float>(s) / 32768.0f; }

// What the two outlets carried, frame by frame, and the block in which "Active" fell.
struct Played {
    std::vector<float> left, right;
    int stoppedInBlock = -1;
    std::vector<float> peaksLeft;
};

Played play(VTSoundIn& in, int blocks) {
    Played p;
    for (int b = 0; b < blocks; ++b) {
        bool wasActive = in.active.value();
        float pl = -1.0f, pr = -1.0f;
        in.blockInputStep(nullptr, 0, 2, pl, pr);
        p.peaksLeft.push_back(pl);
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
            p.left.push_back(in.outletSignal(0)[i]);
            p.right.push_back(in.outletSignal(1)[i]);
        }
        if (wasActive && !in.active.value() && p.stoppedInBlock < 0) p.stoppedInBlock = b;
    }
    return p;
}

class SoundInFile : public ::testing::Test {
protected:
    // A file of the pattern, opened and ready to play.
    void open(const std::string& name, std::uint32_t rate, std::uint16_t channels,
              std::uint32_t frames, std::uint16_t bits = 16) {
        path = dir.path(name);
        writeWav(path, rate, channels, bits, patternSamples(frames, channels));
        in.useADC.setValue(false);
        in.inputFile.setValue(path.c_str());
        in.openInputFile();
    }

    AudioTestFiles::ScratchDir dir;
    std::string path;
    VTSoundIn in;
};

TEST(SoundInDevice, ReadsItsPairFromEveryFrameOfTheDeviceData) {
    // A 4-channel device with this input on channels 2-3.
    std::vector<std::int16_t> data(4 * SGBlockSize);
    for (std::uint32_t f = 0; f < SGBlockSize; ++f)
        for (int c = 0; c < 4; ++c) data[4 * f + c] = std::int16_t((c + 1) * 1000 + int(f));
    data[4 * 9 + 2] = -32768;
    data[4 * 10 + 3] = 16383;
    VTSoundIn in;
    float pl = 0.0f, pr = 0.0f;
    EXPECT_NO_AUDIO_ALLOCATION(in.blockInputStep(data.data(), 2, 4, pl, pr));
    for (std::uint32_t f = 0; f < SGBlockSize; ++f) {
        ASSERT_EQ(in.outletSignal(0)[f], asFloat(data[4 * f + 2])) << f;
        ASSERT_EQ(in.outletSignal(1)[f], asFloat(data[4 * f + 3])) << f;
    }
    EXPECT_EQ(in.outletSignal(0)[9], -1.0f);
    EXPECT_FLOAT_EQ(pl, 32768.0f / 32766.0f) << "device peaks are taken over 32766";
    EXPECT_FLOAT_EQ(pr, 16383.0f / 32766.0f);

    // No device: silence and no peak.
    in.blockInputStep(nullptr, 0, 2, pl, pr);
    EXPECT_EQ(in.outletSignal(0)[3], 0.0f);
    EXPECT_EQ(pl, 0.0f);
    EXPECT_EQ(pr, 0.0f);
}

TEST_F(SoundInFile, OpeningAGoodFileMakesItReady) {
    open("mono.wav", 44100, 1, 22050);
    EXPECT_TRUE(in.fileIsGood.value());
    EXPECT_FALSE(in.active.value());
    EXPECT_DOUBLE_EQ(in.duration.value(), 500.0);
    EXPECT_EQ(in.location.value(), 0.0);
    EXPECT_FALSE(in.isFilePlaying());
    // Not active: the outlets stay silent.
    Played p = play(in, 2);
    EXPECT_EQ(p.left[100], 0.0f);
}

TEST_F(SoundInFile, FilesThatCannotBePlayedAreNotGood) {
    struct Case {
        const char* what;
        std::string file;
    };
    open("eight.wav", 44100, 1, 1000, 8);
    EXPECT_FALSE(in.fileIsGood.value()) << "8-bit";
    std::string garbage = dir.path("garbage.wav");
    { std::ofstream(garbage) << "not a wave file at all"; }
    for (const Case& c : {Case{"missing", dir.path("missing.wav")}, Case{"garbage", garbage},
                          Case{"empty name", ""}}) {
        // Start from a good, playing file each time: a bad choice stops it.
        open("good.wav", 44100, 2, 1000);
        in.active.setValue(true);
        play(in, 1);
        in.inputFile.setValue(c.file.c_str());
        in.openInputFile();
        EXPECT_FALSE(in.fileIsGood.value()) << c.what;
        EXPECT_FALSE(in.active.value()) << c.what;
        EXPECT_EQ(in.duration.value(), 0.0) << c.what;
        in.active.setValue(true);  // the play button is disabled; even so nothing plays
        Played p = play(in, 1);
        EXPECT_EQ(p.left[10], 0.0f) << c.what;
        EXPECT_EQ(p.peaksLeft[0], 0.0f) << c.what;
    }
}

TEST_F(SoundInFile, AOneSecondMonoFilePlaysOnceWholeAndStopsWithItsLastSample) {
    open("mono.wav", 44100, 1, 44100);
    in.active.setValue(true);
    Played p = play(in, 176);
    // 44100 frames end in block 172 (frames 44032 ... 44099).
    EXPECT_EQ(p.stoppedInBlock, 172);
    for (std::uint32_t f = 0; f < 44100; ++f) {
        ASSERT_EQ(p.left[f], asFloat(patternSample(f, 0))) << f;
        ASSERT_EQ(p.right[f], p.left[f]) << "mono goes to both outlets, frame " << f;
    }
    for (std::size_t f = 44100; f < p.left.size(); ++f) ASSERT_EQ(p.left[f], 0.0f) << f;
    EXPECT_FALSE(in.active.value());
    EXPECT_DOUBLE_EQ(in.location.value(), 1000.0) << "without AutoRewind: at the end";
    EXPECT_FLOAT_EQ(p.peaksLeft[0], float(3 * 256) / 32768.0f);
}

TEST_F(SoundInFile, PlayAfterAPauseGoesOnWhereItWasHeard) {
    open("mono.wav", 44100, 1, 3 * 44100);
    in.active.setValue(true);
    play(in, 50);
    in.active.setValue(false);
    Played paused = play(in, 3);
    EXPECT_EQ(paused.left[10], 0.0f);
    in.active.setValue(true);
    Played p = play(in, 2);
    EXPECT_EQ(p.left[0], asFloat(patternSample(50 * 256, 0)));
    EXPECT_EQ(p.left[300], asFloat(patternSample(50 * 256 + 300, 0)));

    // A seek made while paused is where play goes on.
    in.active.setValue(false);
    play(in, 1);
    in.location.setValue(2500.0);
    in.active.setValue(true);
    p = play(in, 1);
    EXPECT_EQ(p.left[0], asFloat(patternSample(110250, 0)));
}

TEST_F(SoundInFile, AutoRewindStartsAtTheBeginningAndRewindsAtTheEnd) {
    open("mono.wav", 44100, 1, 30000);
    in.autoRewind.setValue(true);
    in.active.setValue(true);
    play(in, 50);
    in.active.setValue(false);
    play(in, 1);
    EXPECT_GT(in.location.value(), 0.0);
    in.active.setValue(true);
    Played p = play(in, 120);
    EXPECT_EQ(p.left[0], asFloat(patternSample(0, 0))) << "play starts from the beginning";
    EXPECT_EQ(p.left[29999], asFloat(patternSample(29999, 0)));
    EXPECT_EQ(p.left[30000], 0.0f);
    EXPECT_EQ(p.stoppedInBlock, 29999 / 256);
    EXPECT_EQ(in.location.value(), 0.0) << "rewound at the end";
    // Played again without touching anything: from the start once more.
    in.active.setValue(true);
    p = play(in, 1);
    EXPECT_EQ(p.left[0], asFloat(patternSample(0, 0)));
}

TEST_F(SoundInFile, AStereoLoopWithADelayRestartsAfterItsSilence) {
    // 1.25 s with a 250 ms delay: every pass is followed by 11025 silent frames.
    const std::uint32_t n = 55125, gap = 11025;
    open("stereo.wav", 44100, 2, n);
    in.loop.setValue(true);
    in.loopDelay.setValue(250.0);
    in.active.setValue(true);
    Played p = play(in, (3 * (n + gap)) / 256 + 2);
    EXPECT_EQ(p.stoppedInBlock, -1) << "a loop never stops by itself";
    for (std::uint32_t pass = 0; pass < 3; ++pass) {
        std::uint32_t start = pass * (n + gap);
        for (std::uint32_t f = 0; f < n; ++f) {
            ASSERT_EQ(p.left[start + f], asFloat(patternSample(f, 0))) << pass << " " << f;
            ASSERT_EQ(p.right[start + f], asFloat(patternSample(f, 1))) << pass << " " << f;
        }
        for (std::uint32_t f = n; f < n + gap; ++f) {
            ASSERT_EQ(p.left[start + f], 0.0f) << pass << " " << f;
            ASSERT_EQ(p.right[start + f], 0.0f) << pass << " " << f;
        }
    }
}

TEST_F(SoundInFile, ALoopWithoutDelayJoinsItsPassesEvenForAFileShorterThanAHalfBuffer) {
    const std::uint32_t n = 1000;  // much less than a half-buffer
    open("short.wav", 44100, 1, n);
    in.loop.setValue(true);
    in.active.setValue(true);
    Played p = play(in, 400);  // more than two half-buffers
    for (std::size_t f = 0; f < p.left.size(); ++f)
        ASSERT_EQ(p.left[f], asFloat(patternSample(std::uint32_t(f % n), 0))) << f;
}

TEST_F(SoundInFile, ALoopDelayOfAnOddSampleCountKeepsTheStereoChannelsInPlace) {
    // 10.6 frames of delay would be 21 samples: only whole frames of silence are owed.
    const std::uint32_t n = 30000;
    open("stereo.wav", 44100, 2, n);
    in.loop.setValue(true);
    in.loopDelay.setValue(10.6 / 44.1);
    in.active.setValue(true);
    Played p = play(in, 2 * (n + 10) / 256 + 2);
    std::uint32_t second = n + 10;
    EXPECT_EQ(p.left[n + 9], 0.0f);
    EXPECT_EQ(p.left[second], asFloat(patternSample(0, 0)));
    EXPECT_EQ(p.right[second], asFloat(patternSample(0, 1)));
    EXPECT_EQ(p.right[second + 100], asFloat(patternSample(100, 1)));
}

TEST_F(SoundInFile, AFileAtHalfTheRatePlaysAtDoubleSpeedWithItsOwnTimes) {
    open("half.wav", 22050, 1, 22050);
    EXPECT_DOUBLE_EQ(in.duration.value(), 1000.0);
    in.active.setValue(true);
    Played p = play(in, 100);
    EXPECT_EQ(p.stoppedInBlock, 22049 / 256) << "1 s of file in half a second";
    EXPECT_EQ(p.left[22049], asFloat(patternSample(22049, 0)));
    EXPECT_EQ(p.left[22050], 0.0f);
    EXPECT_DOUBLE_EQ(in.location.value(), 1000.0);
}

TEST_F(SoundInFile, AFourChannelFilePlaysItsSamplesInPairsAtTwiceItsLength) {
    const std::uint32_t n = 10000;
    open("quad.wav", 44100, 4, n);
    in.active.setValue(true);
    Played p = play(in, 2 * n / 256 + 3);
    for (std::uint32_t f = 0; f < 2 * n; ++f) {
        std::uint32_t frame = f / 2, pair = f % 2;
        ASSERT_EQ(p.left[f], asFloat(patternSample(frame, 2 * pair))) << f;
        ASSERT_EQ(p.right[f], asFloat(patternSample(frame, 2 * pair + 1))) << f;
    }
    EXPECT_EQ(p.left[2 * n], 0.0f);
    EXPECT_EQ(p.stoppedInBlock, int((2 * n - 1) / 256));
}

TEST_F(SoundInFile, AThreeChannelFilePlaysItsSampleStreamInPairs) {
    // 1001 frames are 3003 samples: 1501 pairs and a last sample on its own.
    open("three.wav", 44100, 3, 1001);
    in.active.setValue(true);
    Played p = play(in, 8);
    auto sample = [](std::uint32_t k) { return asFloat(patternSample(k / 3, k % 3)); };
    for (std::uint32_t f = 0; f < 1501; ++f) {
        ASSERT_EQ(p.left[f], sample(2 * f)) << f;
        ASSERT_EQ(p.right[f], sample(2 * f + 1)) << f;
    }
    EXPECT_EQ(p.left[1501], sample(3002));
    EXPECT_EQ(p.right[1501], 0.0f);
    EXPECT_EQ(p.left[1502], 0.0f);
    EXPECT_EQ(p.stoppedInBlock, 1501 / 256);
}

TEST_F(SoundInFile, ASeekThroughLocationIsHeardAtTheNextRefill) {
    // Mono, 4 s: a half-buffer is one second.
    const std::uint32_t n = 4 * 44100;
    open("long.wav", 44100, 1, n);
    in.active.setValue(true);
    play(in, 10);
    EXPECT_DOUBLE_EQ(in.location.value(), 2000.0) << "two half-buffers read ahead";
    // The user drags the track bar to the middle (frame 88200 of 176400).
    in.location.setValue(2000.0 * 0.5 + 1000.0 * 0.5);  // 1500 ms
    Played p = play(in, 400);
    // The half-buffer playing now and the one already read play out; the refill at the end of
    // the first one (frame 44100 of the output) reads from the new place.
    const std::uint32_t heard = 44100 - 10 * 256;
    EXPECT_EQ(p.left[heard - 1], asFloat(patternSample(44099, 0)));
    EXPECT_EQ(p.left[heard], asFloat(patternSample(44100, 0))) << "already buffered";
    const std::uint32_t jump = heard + 44100;
    EXPECT_EQ(p.left[jump - 1], asFloat(patternSample(88199, 0)));
    EXPECT_EQ(p.left[jump], asFloat(patternSample(66150, 0))) << "1500 ms is frame 66150";
    EXPECT_EQ(p.left[jump + 5000], asFloat(patternSample(66150 + 5000, 0)));
}

TEST_F(SoundInFile, ADocumentEntryOpensTheFileItNames) {
    path = dir.path("doc.wav");
    writeWav(path, 44100, 2, 16, patternSamples(4410, 2));
    std::istringstream entry("{ 0, \"" + path + "\", 0, 1, 1, 0, 0, 77, 0 }");
    in.readProperties(entry);
    EXPECT_TRUE(in.fileIsGood.value());
    EXPECT_FALSE(in.active.value()) << "a loaded file is ready, not playing";
    EXPECT_DOUBLE_EQ(in.duration.value(), 100.0);
    EXPECT_EQ(in.location.value(), 0.0);
    EXPECT_TRUE(in.loop.value());
}

TEST_F(SoundInFile, AFileCutShortAfterOpeningPlaysSilenceWhereItEnds) {
    open("cut.wav", 44100, 1, 20000);
    std::filesystem::resize_file(path, 44 + 2 * 5000);
    in.active.setValue(true);
    Played p = play(in, 100);
    EXPECT_EQ(p.left[4999], asFloat(patternSample(4999, 0)));
    for (std::uint32_t f = 5000; f < 20000; ++f) ASSERT_EQ(p.left[f], 0.0f) << f;
    EXPECT_EQ(p.stoppedInBlock, 19999 / 256) << "the length found at opening still ends it";
}

TEST_F(SoundInFile, PlaybackAndItsHalfBufferReadsAllocateNothing) {
    open("alloc.wav", 44100, 2, 3 * 44100);
    in.loop.setValue(true);
    in.loopDelay.setValue(100.0);
    in.active.setValue(true);
    float pl = 0.0f, pr = 0.0f;
    // Long enough for several refills, a loop restart and its delay.
    EXPECT_NO_AUDIO_ALLOCATION(for (int b = 0; b < 1200; ++b)
                                   in.blockInputStep(nullptr, 0, 2, pl, pr));
    EXPECT_TRUE(in.active.value());
    in.location.setValue(500.0);
    in.loop.setValue(false);
    EXPECT_NO_AUDIO_ALLOCATION(for (int b = 0; b < 1200; ++b)
                                   in.blockInputStep(nullptr, 0, 2, pl, pr));
    EXPECT_FALSE(in.active.value()) << "played to the end";
}

}  // namespace
