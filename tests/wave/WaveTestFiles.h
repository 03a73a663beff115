#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Helpers for the wave tests: a scratch folder, sox to make files the way another program
// makes them, and byte-level tools to build or damage RIFF files by hand.
namespace WaveTestFiles {

using Bytes = std::vector<std::uint8_t>;

bool soxAvailable();
// Runs sox (or soxi) with the given arguments; gives its standard output, fails the test on error.
std::string runTool(const std::string& tool, const std::string& args);

// Makes `frames` frames of a two-tone sine with sox. `format` gives the output options and must
// start with "-r RATE -c CHANNELS", which the generator is given too so that sox resamples nothing.
void soxSine(const std::string& format, const std::string& file, int frames);

class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    const std::filesystem::path& dir() const { return dir_; }

private:
    std::filesystem::path dir_;
};

Bytes readFile(const std::string& file);
void writeFile(const std::string& file, const Bytes& bytes);

void putU16(Bytes& b, std::size_t at, std::uint16_t v);
void putU32(Bytes& b, std::size_t at, std::uint32_t v);
std::uint16_t getU16(const Bytes& b, std::size_t at);
std::uint32_t getU32(const Bytes& b, std::size_t at);
void appendU16(Bytes& b, std::uint16_t v);
void appendU32(Bytes& b, std::uint32_t v);

// One chunk: id, stated size and body; `pad` adds the RIFF alignment byte after an odd body.
Bytes chunk(const std::string& id, const Bytes& body, bool pad = true);
Bytes fmtBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
              std::size_t extraBytes = 0);
// "RIFF" size "WAVE" followed by the chunks; the size is right unless one is given.
Bytes riffWave(const std::vector<Bytes>& chunks, std::int64_t riffSize = -1);
// Interleaved little-endian 16-bit samples.
Bytes samples16(const std::vector<std::int16_t>& s);
// The interleaved 16-bit samples of a file from byte `offset` on, `count` of them.
std::vector<std::int16_t> samplesAt(const std::string& file, std::size_t offset, std::size_t count);

}  // namespace WaveTestFiles

#define REQUIRE_SOX()                                                               \
    do {                                                                            \
        if (!WaveTestFiles::soxAvailable()) GTEST_SKIP() << "sox is not installed"; \
    } while (0)
