#include <gtest/gtest.h>

#include <random>

#include "WaveTestFiles.h"
#include "wave/WaveFileInfo.h"

using namespace WaveTestFiles;

namespace {

struct SoxCase {
    const char* name;
    const char* soxFormat;  // sox output options: rate and channels first
    bool good;
    std::uint32_t channels;
    double rate;
    std::uint32_t dataOffset;
    const char* why;
};

void PrintTo(const SoxCase& c, std::ostream* os) { *os << c.name; }

class SoxProbeTest : public ::testing::TestWithParam<SoxCase> {};

}  // namespace

// 1000 frames of a sine made by sox in every format a user is likely to have.
TEST_P(SoxProbeTest, ProbesWhatSoxWrites) {
    REQUIRE_SOX();
    const SoxCase& c = GetParam();
    ScratchDir dir;
    std::string file = dir.path(std::string(c.name) + ".wav");
    soxSine(c.soxFormat, file, 1000);

    WaveFileInfo info;
    EXPECT_EQ(probeWaveFile(file, info), c.good) << c.why;
    EXPECT_EQ(info.isGood, c.good) << c.why;
    if (!c.good) return;
    EXPECT_EQ(info.channels, c.channels);
    EXPECT_EQ(info.sampleRate, c.rate);
    EXPECT_EQ(info.frames, 1000u);
    EXPECT_EQ(info.dataOffset, c.dataOffset);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, SoxProbeTest,
    ::testing::Values(
        SoxCase{"mono16_22050", "-r 22050 -c 1 -b 16 -e signed", true, 1, 22050, 44, ""},
        SoxCase{"stereo16_44100", "-r 44100 -c 2 -b 16 -e signed", true, 2, 44100, 44, ""},
        SoxCase{"mono16_48000", "-r 48000 -c 1 -b 16 -e signed", true, 1, 48000, 44, ""},
        SoxCase{"stereo16_48000", "-r 48000 -c 2 -b 16 -e signed", true, 2, 48000, 44, ""},
        SoxCase{"mono8_22050", "-r 22050 -c 1 -b 8", false, 0, 0, 0, "8 bits per sample"},
        SoxCase{"stereo8_44100", "-r 44100 -c 2 -b 8", false, 0, 0, 0, "8 bits per sample"},
        SoxCase{"mono24_44100", "-r 44100 -c 1 -b 24", false, 0, 0, 0,
                "24 bits, written with an extensible header"},
        SoxCase{"stereo24_48000", "-r 48000 -c 2 -b 24", false, 0, 0, 0,
                "24 bits, written with an extensible header"},
        SoxCase{"three16_44100", "-r 44100 -c 3 -b 16 -e signed", false, 0, 0, 0,
                "16 bits, but tagged WAVE_FORMAT_EXTENSIBLE rather than PCM"},
        SoxCase{"float32_44100", "-r 44100 -c 1 -b 32 -e floating-point", false, 0, 0, 0,
                "floating-point samples"}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

// 16-bit stereo at 44100 Hz, 10 frames, assembled from chunks.
const Bytes kFmt = chunk("fmt ", fmtBody(1, 2, 44100, 16));
const Bytes kData = chunk("data", Bytes(40, 0x11));

struct HandCase {
    const char* name;
    Bytes file;
    bool good;
    std::uint32_t frames;
    std::uint32_t dataOffset;
};

Bytes listInfo() {
    Bytes body = {'I', 'N', 'F', 'O'};
    Bytes comment = chunk("ICMT", Bytes{'h', 'i', '!', 0});
    body.insert(body.end(), comment.begin(), comment.end());
    return chunk("LIST", body);
}

std::vector<HandCase> handCases() {
    Bytes odd = chunk("junk", Bytes(7, 0xaa), true);
    Bytes oddNoPad = chunk("junk", Bytes(7, 0xaa), false);
    Bytes wrongForm = riffWave({kFmt, kData});
    wrongForm[8] = 'A';
    Bytes notRiff = riffWave({kFmt, kData});
    notRiff[0] = 'R', notRiff[1] = 'I', notRiff[2] = 'F', notRiff[3] = 'X';
    return {
        {"Plain", riffWave({kFmt, kData}), true, 10, 44},
        {"ListBeforeData", riffWave({kFmt, listInfo(), kData}), true, 10, 44 + 24},
        {"ListBeforeFmt", riffWave({listInfo(), kFmt, kData}), true, 10, 44 + 24},
        {"FactAndListAfterData", riffWave({kFmt, chunk("fact", Bytes(4, 0)), kData, listInfo()}),
         true, 10, 44 + 12},
        {"OddChunkPadded", riffWave({kFmt, odd, kData}), true, 10, 44 + 16},
        {"OddChunkWithoutPad", riffWave({kFmt, oddNoPad, kData}), true, 10, 44 + 15},
        {"FormatChunkOf18Bytes", riffWave({chunk("fmt ", fmtBody(1, 2, 44100, 16, 2)), kData}),
         true, 10, 46},
        {"OddDataLengthDropsTheHalfFrame", riffWave({kFmt, chunk("data", Bytes(41, 1))}), true, 10,
         44},
        {"EmptyData", riffWave({kFmt, chunk("data", {})}), true, 0, 44},
        {"SixChannels",
         riffWave({chunk("fmt ", fmtBody(1, 6, 8000, 16)), chunk("data", Bytes(120, 0))}), true, 10,
         44},
        {"DataBeforeFormat", riffWave({kData, kFmt}), false, 0, 0},
        {"NoDataChunk", riffWave({kFmt}), false, 0, 0},
        {"NoFormatChunk", riffWave({kData}), false, 0, 0},
        {"NotWave", wrongForm, false, 0, 0},
        {"NotRiff", notRiff, false, 0, 0},
        {"FormatChunkTooShort", riffWave({chunk("fmt ", Bytes(14, 1)), kData}), false, 0, 0},
        {"ZeroChannels", riffWave({chunk("fmt ", fmtBody(1, 0, 44100, 16)), kData}), false, 0, 0},
        {"ZeroRate", riffWave({chunk("fmt ", fmtBody(1, 2, 0, 16)), kData}), false, 0, 0},
        {"Extensible16Bit", riffWave({chunk("fmt ", fmtBody(0xfffe, 2, 44100, 16, 24)), kData}),
         false, 0, 0},
        {"ChunksOutsideTheRiffSize", riffWave({kFmt, kData}, 4 + 24), false, 0, 0},
        {"RiffSizeZero", riffWave({kFmt, kData}, 0), false, 0, 0},
        // Damaged files read as far as they are sound.
        {"RiffSizeLargerThanFile", riffWave({kFmt, kData}, 1000000), true, 10, 44},
        {"DataLengthPastTheEnd",
         [] {
             Bytes b = riffWave({kFmt, kData});
             putU32(b, 40, 0x7ffffff0);
             return b;
         }(),
         true, 10, 44},
        {"DataCutShort",
         [] {
             Bytes b = riffWave({kFmt, kData});
             b.resize(b.size() - 6);  // 8 full frames and half of one are left
             return b;
         }(),
         true, 8, 44},
        {"DataHeaderCutOff",
         [] {
             Bytes b = riffWave({kFmt, kData});
             b.resize(40);
             return b;
         }(),
         false, 0, 0},
        {"HugeChunkBeforeData",
         [] {
             Bytes junk = chunk("junk", Bytes(4, 0));
             putU32(junk, 4, 0xfffffff0);
             return riffWave({kFmt, junk, kData});
         }(),
         false, 0, 0},
    };
}

void PrintTo(const HandCase& c, std::ostream* os) { *os << c.name; }

class HandProbeTest : public ::testing::TestWithParam<HandCase> {};

}  // namespace

TEST_P(HandProbeTest, AcceptsAndRefusesAsItShould) {
    const HandCase& c = GetParam();
    ScratchDir dir;
    std::string file = dir.path("t.wav");
    writeFile(file, c.file);
    WaveFileInfo info;
    EXPECT_EQ(probeWaveFile(file, info), c.good);
    ASSERT_EQ(info.isGood, c.good);
    if (!c.good) return;
    EXPECT_EQ(info.frames, c.frames);
    EXPECT_EQ(info.dataOffset, c.dataOffset);
    EXPECT_LE(info.dataOffset + std::uint64_t(info.frames) * info.channels * 2, c.file.size());
}

INSTANTIATE_TEST_SUITE_P(Files, HandProbeTest, ::testing::ValuesIn(handCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProbeWaveFileTest, MissingEmptyAndUnreadableNamesAreNotGood) {
    ScratchDir dir;
    WaveFileInfo info;
    info.isGood = true;
    EXPECT_FALSE(probeWaveFile("", info));
    EXPECT_FALSE(info.isGood);
    EXPECT_FALSE(probeWaveFile(dir.path("absent.wav"), info));
    EXPECT_FALSE(probeWaveFile(dir.dir().string(), info));  // a directory
    writeFile(dir.path("empty.wav"), {});
    EXPECT_FALSE(probeWaveFile(dir.path("empty.wav"), info));
}

// Every prefix of a sound file, and files of noise with a plausible start, must either be
// refused or describe only bytes the file really holds.
TEST(ProbeWaveFileTest, TruncatedAndGarbageFilesNeverPointOutsideTheFile) {
    ScratchDir dir;
    std::string file = dir.path("t.wav");
    Bytes whole = riffWave({kFmt, listInfo(), chunk("junk", Bytes(3, 0), false), kData});
    for (std::size_t n = 0; n <= whole.size(); ++n) {
        Bytes cut(whole.begin(), whole.begin() + n);
        writeFile(file, cut);
        WaveFileInfo info;
        if (probeWaveFile(file, info)) {
            EXPECT_LE(info.dataOffset + std::uint64_t(info.frames) * info.channels * 2, n) << n;
        }
    }

    std::mt19937 rng(12345);
    for (int round = 0; round < 300; ++round) {
        Bytes b = riffWave({});
        std::size_t n = rng() % 200;
        for (std::size_t k = 0; k < n; ++k) b.push_back(std::uint8_t(rng()));
        // Sprinkle the chunk ids a reader looks for, with random sizes behind them.
        for (const char* id : {"fmt ", "data", "LIST"})
            if (rng() % 2 && b.size() > 20) {
                std::size_t at = 12 + rng() % (b.size() - 20);
                std::copy(id, id + 4, b.begin() + at);
            }
        if (rng() % 2) putU32(b, 4, rng());
        writeFile(file, b);
        WaveFileInfo info;
        if (probeWaveFile(file, info)) {
            EXPECT_LE(info.dataOffset + std::uint64_t(info.frames) * info.channels * 2, b.size());
        }
    }
}
