#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "WaveTestFiles.h"
#include "wave/WaveTableLoader.h"

using namespace WaveTestFiles;

namespace {

constexpr float kScale = 1.0f / 32768.0f;

std::vector<float> table(std::uint32_t n, float fill = 0.0f) {
    return std::vector<float>(n + 1, fill);
}

std::string soxSine(const ScratchDir& dir, const std::string& name, const std::string& format,
                    int frames) {
    std::string file = dir.path(name);
    WaveTestFiles::soxSine(format + " -b 16 -e signed", file, frames);
    return file;
}

}  // namespace

// Half the system rate: every file frame lands on an even entry, the odd entries halfway.
TEST(LoadWaveIntoTableTest, MonoAt22050IsInterpolatedToTwiceItsLength) {
    REQUIRE_SOX();
    ScratchDir dir;
    std::string file = soxSine(dir, "m.wav", "-r 22050 -c 1", 1000);
    std::vector<float> t = table(4096, 9.0f);
    WaveFileInfo info;
    ASSERT_TRUE(loadWaveIntoTable(t.data(), 4096, file, info));
    EXPECT_EQ(info.frames, 1000u);
    std::vector<std::int16_t> s = samplesAt(file, info.dataOffset, 1000);
    ASSERT_EQ(s.size(), 1000u);
    for (int k = 0; k < 999; ++k) {
        ASSERT_FLOAT_EQ(t[2 * k], s[k] * kScale) << k;
        ASSERT_FLOAT_EQ(t[2 * k + 1], (s[k] + (s[k + 1] - s[k]) * 0.5) * kScale) << k;
    }
    // The last frame read is its own interpolation partner.
    EXPECT_FLOAT_EQ(t[1998], s[999] * kScale);
    EXPECT_FLOAT_EQ(t[1999], s[999] * kScale);
    for (int j = 2000; j <= 4096; ++j) ASSERT_EQ(t[j], 0.0f) << j;
}

// Above the system rate the read position steps by r, summed in double precision.
TEST(LoadWaveIntoTableTest, StereoAt48000IsMixedAndDecimated) {
    REQUIRE_SOX();
    ScratchDir dir;
    std::string file = soxSine(dir, "s.wav", "-r 48000 -c 2", 3000);
    const std::uint32_t n = 1024;
    std::vector<float> t = table(n, 9.0f);
    WaveFileInfo info;
    ASSERT_TRUE(loadWaveIntoTable(t.data(), n, file, info));
    std::vector<std::int16_t> s = samplesAt(file, info.dataOffset, 2 * 3000);
    const double r = 48000.0 / 44100.0;
    const std::uint64_t c = std::uint64_t(n * r) + 2;  // 1116 frames read of 3000
    const std::uint64_t m = std::min<std::uint64_t>(std::uint64_t(c / r), n);
    ASSERT_EQ(m, n);
    double pos = 0.0;
    for (std::uint64_t j = 0; j < m; ++j, pos += r) {
        std::uint64_t i = std::uint64_t(pos);
        double f = pos - double(i);
        double l = s[2 * i] + (s[2 * i + 2] - s[2 * i]) * f;
        double rr = s[2 * i + 1] + (s[2 * i + 3] - s[2 * i + 1]) * f;
        ASSERT_NEAR(t[j], (l + rr) / 32768.0 * 0.76, 1e-6) << j;
    }
    EXPECT_EQ(t[n], 0.0f);  // the guard entry
}

TEST(LoadWaveIntoTableTest, SystemRateIsCopiedAndALongFileIsCutToTheTable) {
    REQUIRE_SOX();
    ScratchDir dir;
    std::string mono = soxSine(dir, "m.wav", "-r 44100 -c 1", 700);
    std::string stereo = soxSine(dir, "s.wav", "-r 44100 -c 2", 700);
    WaveFileInfo info;

    std::vector<float> t = table(1000, 9.0f);
    ASSERT_TRUE(loadWaveIntoTable(t.data(), 1000, mono, info));
    std::vector<std::int16_t> s = samplesAt(mono, info.dataOffset, 700);
    for (int j = 0; j < 700; ++j) ASSERT_EQ(t[j], s[j] * kScale) << j;
    for (int j = 700; j <= 1000; ++j) ASSERT_EQ(t[j], 0.0f) << j;

    std::vector<float> shortTable = table(500, 9.0f);
    ASSERT_TRUE(loadWaveIntoTable(shortTable.data(), 500, stereo, info));
    EXPECT_EQ(info.frames, 700u);  // the caller still learns the file's own length
    s = samplesAt(stereo, info.dataOffset, 1400);
    for (int j = 0; j < 500; ++j)
        ASSERT_EQ(shortTable[j], (s[2 * j] * kScale + s[2 * j + 1] * kScale) * 0.76f) << j;
    EXPECT_EQ(shortTable[500], 0.0f);
}

// The mix is a weighted sum: equal full-scale channels come out at 1.52 times one channel.
TEST(LoadWaveIntoTableTest, EqualStereoChannelsLoadAt152PercentOfOne) {
    ScratchDir dir;
    std::string file = dir.path("full.wav");
    std::vector<std::int16_t> s = {32767, 32767, -32768, -32768, 16384, 16384};
    writeFile(file,
              riffWave({chunk("fmt ", fmtBody(1, 2, 44100, 16)), chunk("data", samples16(s))}));
    std::vector<float> t = table(8);
    WaveFileInfo info;
    ASSERT_TRUE(loadWaveIntoTable(t.data(), 8, file, info));
    EXPECT_FLOAT_EQ(t[0], 1.52f * 32767.0f / 32768.0f);
    EXPECT_FLOAT_EQ(t[1], -1.52f);
    EXPECT_FLOAT_EQ(t[2], 0.76f);
    EXPECT_EQ(t[3], 0.0f);
}

TEST(LoadWaveIntoTableTest, RefusedFilesLeaveTheTableAlone) {
    REQUIRE_SOX();
    ScratchDir dir;
    std::string eight = dir.path("8.wav");
    WaveTestFiles::soxSine("-r 44100 -c 1 -b 8", eight, 100);
    std::vector<float> t = table(64, 3.0f);
    WaveFileInfo info;
    EXPECT_FALSE(loadWaveIntoTable(t.data(), 64, eight, info));
    EXPECT_FALSE(loadWaveIntoTable(t.data(), 64, dir.path("absent.wav"), info));
    EXPECT_FALSE(info.isGood);
    for (float v : t) ASSERT_EQ(v, 3.0f);
}

// No mix is defined beyond two channels: such a file is good but loads as silence rather than
// leaving whatever sound the table held before.
TEST(LoadWaveIntoTableTest, MoreThanTwoChannelsLoadAsSilence) {
    ScratchDir dir;
    std::string file = dir.path("3.wav");
    writeFile(file, riffWave({chunk("fmt ", fmtBody(1, 3, 44100, 16)),
                              chunk("data", samples16(std::vector<std::int16_t>(30, 1000)))}));
    std::vector<float> t = table(16, 3.0f);
    WaveFileInfo info;
    EXPECT_TRUE(loadWaveIntoTable(t.data(), 16, file, info));
    EXPECT_EQ(info.frames, 10u);
    for (float v : t) ASSERT_EQ(v, 0.0f);
}

// A data chunk that claims more than the file holds loads what is there, for both the plain
// copy and the resampling path, and reads nothing beyond the file (run under the sanitizers).
TEST(LoadWaveIntoTableTest, ADataChunkPastTheEndLoadsWhatIsThere) {
    ScratchDir dir;
    for (std::uint32_t rate : {44100u, 22050u}) {
        std::string file = dir.path("cut.wav");
        Bytes b = riffWave({chunk("fmt ", fmtBody(1, 1, rate, 16)),
                            chunk("data", samples16({100, 200, 300, 400}))});
        putU32(b, 40, 1u << 30);
        writeFile(file, b);
        std::vector<float> t = table(32, 9.0f);
        WaveFileInfo info;
        ASSERT_TRUE(loadWaveIntoTable(t.data(), 32, file, info));
        EXPECT_EQ(info.frames, 4u);
        std::uint32_t m = rate == 44100 ? 4 : 8;
        EXPECT_FLOAT_EQ(t[0], 100 * kScale);
        EXPECT_FLOAT_EQ(t[m - 1], 400 * kScale);
        for (std::uint32_t j = m; j <= 32; ++j) ASSERT_EQ(t[j], 0.0f) << rate << " " << j;
    }
}
