#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <vector>

#include "WaveTestFiles.h"
#include "support/AudioThreadGuard.h"
#include "wave/VTWaveOutFile.h"
#include "wave/WaveFileInfo.h"

using namespace WaveTestFiles;
namespace fs = std::filesystem;

namespace {

// Frame f of channel c holds f * 2 + c (negated for odd frames) so that every frame is distinct.
std::vector<std::int16_t> ramp(std::uint32_t from, std::uint32_t frames, int channels) {
    std::vector<std::int16_t> s;
    for (std::uint32_t f = from; f < from + frames; ++f)
        for (int c = 0; c < channels; ++c)
            s.push_back(std::int16_t((f % 2 ? -1 : 1) * int(f * 2 + c)));
    return s;
}

void writeRamp(VTWaveOutFile& w, std::uint32_t from, std::uint32_t frames) {
    std::vector<std::int16_t> s = ramp(from, frames, w.channels());
    ASSERT_EQ(w.writeFrames(s.data(), frames), frames);
}

struct Header {
    std::size_t fileSize;
    std::uint32_t riffSize;
    std::uint32_t dataSize;
};

Header header(const std::string& file) {
    Bytes b = readFile(file);
    if (b.size() < 44) return {b.size(), 0, 0};
    return {b.size(), getU32(b, 4), getU32(b, 40)};
}

// What sox itself makes of a file: samples, channels, rate, bits.
void expectSoxReads(const std::string& file, std::uint32_t frames, int channels) {
    std::string out = runTool("soxi", "-s " + file) + runTool("soxi", "-c " + file) +
                      runTool("soxi", "-r " + file) + runTool("soxi", "-b " + file);
    std::ostringstream expected;
    expected << frames << "\n" << channels << "\n44100\n16\n";
    EXPECT_EQ(out, expected.str()) << file;
}

// The samples as sox decodes them.
std::vector<std::int16_t> soxSamples(const ScratchDir& dir, const std::string& file) {
    std::string raw = dir.path("decoded.raw");
    runTool("sox", file + " -t raw -e signed -b 16 -L " + raw);
    return samplesAt(raw, 0, readFile(raw).size() / 2);
}

}  // namespace

TEST(WaveOutFileTest, ANewFileGetsTheHeaderSizesRight) {
    REQUIRE_SOX();
    ScratchDir dir;
    std::string file = dir.path("rec.wav");
    {
        VTWaveOutFile w(file, 44100, 2, false);
        ASSERT_TRUE(w.isOpen());
        EXPECT_EQ(w.length(), 0u);
        EXPECT_EQ(w.position(), 0u);
        writeRamp(w, 0, 1000);
        EXPECT_EQ(w.position(), 1000u);
        EXPECT_EQ(w.length(), 1000u);
    }
    Header h = header(file);
    EXPECT_EQ(h.fileSize, 4044u);
    EXPECT_EQ(h.riffSize, 4036u);
    EXPECT_EQ(h.dataSize, 4000u);
    Bytes b = readFile(file);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 36),
              riffWave({chunk("fmt ", fmtBody(1, 2, 44100, 16))}, 4036));
    expectSoxReads(file, 1000, 2);
    EXPECT_EQ(soxSamples(dir, file), ramp(0, 1000, 2));

    WaveFileInfo info;
    ASSERT_TRUE(probeWaveFile(file, info));
    EXPECT_EQ(info.frames, 1000u);
    EXPECT_EQ(info.dataOffset, 44u);
}

TEST(WaveOutFileTest, ReopeningAppendsAndKeepsTheSizesRight) {
    REQUIRE_SOX();
    ScratchDir dir;
    std::string file = dir.path("rec.wav");
    {
        VTWaveOutFile w(file, 44100, 2, false);
        writeRamp(w, 0, 1000);
    }
    {
        VTWaveOutFile w(file, 44100, 2, false);
        ASSERT_TRUE(w.isOpen());
        EXPECT_EQ(w.length(), 1000u);
        EXPECT_EQ(w.position(), 0u);
        w.seekFrame(1000);
        writeRamp(w, 1000, 10);
        EXPECT_EQ(w.length(), 1010u);
    }
    Header h = header(file);
    EXPECT_EQ(h.dataSize, 4040u);
    EXPECT_EQ(h.riffSize, 4076u);
    EXPECT_EQ(h.fileSize, 4084u);
    expectSoxReads(file, 1010, 2);
    EXPECT_EQ(soxSamples(dir, file), ramp(0, 1010, 2));
}

TEST(WaveOutFileTest, OverwritingInsideTheFileKeepsItsLength) {
    ScratchDir dir;
    std::string file = dir.path("rec.wav");
    {
        VTWaveOutFile w(file, 44100, 1, false);
        writeRamp(w, 0, 100);
    }
    {
        VTWaveOutFile w(file, 44100, 1, false);
        writeRamp(w, 500, 20);  // frames 0..19 replaced
        EXPECT_EQ(w.position(), 20u);
        EXPECT_EQ(w.length(), 100u);
    }
    EXPECT_EQ(header(file).dataSize, 200u);
    std::vector<std::int16_t> expected = ramp(500, 20, 1), tail = ramp(20, 80, 1);
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(samplesAt(file, 44, 100), expected);
}

TEST(WaveOutFileTest, TruncatingStartsAfresh) {
    ScratchDir dir;
    std::string file = dir.path("export.wav");
    {
        VTWaveOutFile w(file, 44100, 2, false);
        writeRamp(w, 0, 1000);
    }
    {
        VTWaveOutFile w(file, 44100, 2, true);
        EXPECT_EQ(w.length(), 0u);
    }
    Header h = header(file);
    EXPECT_EQ(h.fileSize, 44u);
    EXPECT_EQ(h.riffSize, 36u);
    EXPECT_EQ(h.dataSize, 0u);
}

// A file that is not exactly what the writer would make is refused and left byte for byte as
// it was, so a mistaken choice of file never damages it.
TEST(WaveOutFileTest, MismatchingFilesAreRefusedAndUntouched) {
    REQUIRE_SOX();
    ScratchDir dir;
    std::string ours = dir.path("ours.wav");
    {
        VTWaveOutFile w(ours, 44100, 2, false);
        writeRamp(w, 0, 1000);
    }
    std::string eight = dir.path("eight.wav");
    soxSine("-r 44100 -c 2 -b 8", eight, 100);
    std::string rate = dir.path("rate.wav");
    soxSine("-r 48000 -c 2 -b 16", rate, 100);
    std::string long18 = dir.path("fmt18.wav");
    writeFile(long18,
              riffWave({chunk("fmt ", fmtBody(1, 2, 44100, 16, 2)), chunk("data", Bytes(40, 0))}));
    std::string text = dir.path("notes.wav");
    writeFile(text, Bytes{'h', 'e', 'l', 'l', 'o'});
    std::string noData = dir.path("nodata.wav");
    writeFile(noData, riffWave({chunk("fmt ", fmtBody(1, 2, 44100, 16))}));

    struct Case {
        std::string file;
        std::uint16_t channels;
    };
    for (const Case& c : {Case{ours, 1}, Case{eight, 2}, Case{rate, 2}, Case{long18, 2},
                          Case{text, 2}, Case{noData, 2}}) {
        Bytes before = readFile(c.file);
        {
            VTWaveOutFile w(c.file, 44100, c.channels, false);
            EXPECT_FALSE(w.isOpen()) << c.file;
            std::int16_t s[4] = {1, 2, 3, 4};
            EXPECT_EQ(w.writeFrames(s, 1), 0u);
            w.clear();
            w.updateHeader();
        }
        EXPECT_EQ(readFile(c.file), before) << c.file;
    }
    // The writer refuses the 18-byte format chunk that the prober accepts.
    WaveFileInfo info;
    EXPECT_TRUE(probeWaveFile(long18, info));
}

TEST(WaveOutFileTest, ReadingPastTheEndGivesSilence) {
    ScratchDir dir;
    std::string file = dir.path("rec.wav");
    VTWaveOutFile w(file, 44100, 2, false);
    writeRamp(w, 0, 1000);
    w.seekFrame(900);
    std::vector<std::int16_t> buf(16384 * 2, 77);
    EXPECT_EQ(w.readFrames(buf.data(), 16384), 100u);
    std::vector<std::int16_t> expected = ramp(900, 100, 2);
    expected.resize(16384 * 2, 0);
    EXPECT_EQ(buf, expected);
    EXPECT_EQ(w.position(), w.length());
    EXPECT_EQ(w.readFrames(buf.data(), 10), 0u);

    w.seekFrame(5000);  // beyond the end: limited to the length
    EXPECT_EQ(w.position(), 1000u);
    w.seekFrame(0);
    EXPECT_EQ(w.readFrames(buf.data(), 3), 3u);
    EXPECT_EQ(std::vector<std::int16_t>(buf.begin(), buf.begin() + 6), ramp(0, 3, 2));
}

TEST(WaveOutFileTest, ClearingEmptiesTheFileAndKeepsItUsable) {
    REQUIRE_SOX();
    ScratchDir dir;
    std::string file = dir.path("rec.wav");
    {
        VTWaveOutFile w(file, 44100, 2, false);
        w.clear();  // nothing to clear: the file is left alone
        EXPECT_TRUE(w.isOpen());
        writeRamp(w, 0, 500);
        w.clear();
        EXPECT_TRUE(w.isOpen());
        EXPECT_EQ(w.length(), 0u);
        EXPECT_EQ(w.position(), 0u);
        EXPECT_EQ(fs::file_size(file), 44u);
        writeRamp(w, 7, 30);
    }
    Header h = header(file);
    EXPECT_EQ(h.dataSize, 120u);
    EXPECT_EQ(h.riffSize, 156u);
    EXPECT_EQ(soxSamples(dir, file), ramp(7, 30, 2));
    expectSoxReads(file, 30, 2);
}

TEST(WaveOutFileTest, ClearingAFileThatCannotBeRecreatedClosesTheWriter) {
    ScratchDir dir;
    fs::create_directories(dir.path("sub"));
    std::string file = dir.path("sub/rec.wav");
    VTWaveOutFile w(file, 44100, 2, false);
    writeRamp(w, 0, 10);
    fs::remove_all(dir.path("sub"));
    w.clear();
    EXPECT_FALSE(w.isOpen());
}

TEST(WaveOutFileTest, UncreatableFilesLeaveTheWriterClosed) {
    ScratchDir dir;
    VTWaveOutFile w(dir.path("missing/dir/x.wav"), 44100, 2, true);
    EXPECT_FALSE(w.isOpen());
    std::int16_t buf[4] = {5, 5, 5, 5};
    EXPECT_EQ(w.readFrames(buf, 2), 0u);
    EXPECT_EQ(buf[0], 0);
}

// The RIFF size comes from the real end of the file, so chunks behind the data stay counted;
// a data size the file cannot back is brought down to what it holds.
TEST(WaveOutFileTest, ReopenedFilesWithOtherChunksKeepConsistentSizes) {
    REQUIRE_SOX();
    ScratchDir dir;
    Bytes fmt = chunk("fmt ", fmtBody(1, 2, 44100, 16));
    Bytes list =
        chunk("LIST", Bytes{'I', 'N', 'F', 'O', 'I', 'C', 'M', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0});

    std::string trailing = dir.path("trailing.wav");
    writeFile(trailing, riffWave({fmt, list, chunk("data", samples16(ramp(0, 10, 2))), list}));
    {
        VTWaveOutFile w(trailing, 44100, 2, false);
        EXPECT_EQ(w.length(), 10u);
    }
    Bytes b = readFile(trailing);
    EXPECT_EQ(getU32(b, 4), b.size() - 8);
    expectSoxReads(trailing, 10, 2);

    std::string damaged = dir.path("damaged.wav");
    Bytes d = riffWave({fmt, chunk("data", samples16(ramp(0, 10, 2)))});
    putU32(d, 40, 1u << 30);
    putU32(d, 4, 0);  // as a recording cut off before its header was brought up to date
    writeFile(damaged, d);
    {
        VTWaveOutFile w(damaged, 44100, 2, false);
        ASSERT_TRUE(w.isOpen());
        EXPECT_EQ(w.length(), 10u);
        w.seekFrame(w.length());
        writeRamp(w, 10, 5);
    }
    Header h = header(damaged);
    EXPECT_EQ(h.dataSize, 60u);
    EXPECT_EQ(h.riffSize, h.fileSize - 8);
    expectSoxReads(damaged, 15, 2);
}

// Reads and writes may follow each other without a seek in between; each continues at the
// writer's position.
TEST(WaveOutFileTest, ReadsAndWritesAlternateAtThePosition) {
    ScratchDir dir;
    std::string file = dir.path("rec.wav");
    VTWaveOutFile w(file, 44100, 2, false);
    writeRamp(w, 0, 100);
    w.seekFrame(10);
    std::vector<std::int16_t> buf(2 * 5);
    EXPECT_EQ(w.readFrames(buf.data(), 5), 5u);
    EXPECT_EQ(buf, ramp(10, 5, 2));
    writeRamp(w, 900, 5);  // frames 15..19
    EXPECT_EQ(w.readFrames(buf.data(), 5), 5u);
    EXPECT_EQ(buf, ramp(20, 5, 2));
    w.seekFrame(15);
    EXPECT_EQ(w.readFrames(buf.data(), 5), 5u);
    EXPECT_EQ(buf, ramp(900, 5, 2));
    EXPECT_EQ(w.length(), 100u);
}

// The recorder records and plays back from the audio thread.
TEST(WaveOutFileTest, ReadingAndWritingAllocateNothing) {
    ScratchDir dir;
    VTWaveOutFile w(dir.path("rec.wav"), 44100, 2, false);
    std::vector<std::int16_t> block = ramp(0, 16384, 2);
    std::vector<std::int16_t> back(block.size());
    EXPECT_NO_AUDIO_ALLOCATION({
        w.writeFrames(block.data(), 16384);
        w.writeFrames(block.data(), 16384);
        w.updateHeader();
        w.seekFrame(0);
        w.readFrames(back.data(), 16384);
        w.seekFrame(w.length());
        w.writeFrames(block.data(), 100);
    });
    EXPECT_EQ(back, block);
    EXPECT_EQ(w.length(), 2 * 16384u + 100);
}
