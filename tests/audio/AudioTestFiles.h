#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// WAV fixtures for the device I/O tests, written byte by byte so they do not depend on the
// program's own writer, and read back the same way.
namespace AudioTestFiles {

class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    std::string path(const std::string& name) const { return (dir_ / name).string(); }

private:
    std::filesystem::path dir_;
};

// A canonical PCM file: "RIFF" size "WAVE", a 16-byte "fmt " chunk, then "data". For 8-bit
// files each sample is stored as its low byte plus 128.
void writeWav(const std::string& file, std::uint32_t rate, std::uint16_t channels,
              std::uint16_t bits, const std::vector<std::int16_t>& samples);

// A frame pattern that is never 0, so silence in what is played stands out: sample k of
// channel c is (k % 7919 + 1) * 3 + c for even c and its negative for odd c.
std::int16_t patternSample(std::uint32_t frame, std::uint32_t channel);
std::vector<std::int16_t> patternSamples(std::uint32_t frames, std::uint32_t channels);

struct WavContents {
    bool ok = false;
    std::uint32_t riffSize = 0;
    std::uint32_t dataSize = 0;
    std::uint64_t fileSize = 0;
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::vector<std::int16_t> samples;  // as many as the data chunk's stated size holds
};
WavContents readWav(const std::string& file);

std::vector<std::uint8_t> readBytes(const std::string& file);

}  // namespace AudioTestFiles
