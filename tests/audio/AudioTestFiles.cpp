#include "AudioTestFiles.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace AudioTestFiles {

ScratchDir::ScratchDir() {
    std::string tmpl = (fs::temp_directory_path() / "vantrel-audio-XXXXXX").string();
    dir_ = mkdtemp(tmpl.data());
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
}

namespace {

void putU16(std::vector<std::uint8_t>& b, std::uint16_t v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}

void putU32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
}

std::uint32_t getU32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

std::uint16_t getU16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint16_t(b[at] | b[at + 1] << 8);
}

}  // namespace

void writeWav(const std::string& file, std::uint32_t rate, std::uint16_t channels,
              std::uint16_t bits, const std::vector<std::int16_t>& samples) {
    std::uint32_t bytesPerSample = bits / 8;
    std::uint32_t dataBytes = std::uint32_t(samples.size()) * bytesPerSample;
    std::vector<std::uint8_t> b = {'R', 'I', 'F', 'F'};
    putU32(b, 36 + dataBytes);
    for (char c : std::string("WAVEfmt ")) b.push_back(std::uint8_t(c));
    putU32(b, 16);
    putU16(b, 1);
    putU16(b, channels);
    putU32(b, rate);
    putU32(b, rate * channels * bytesPerSample);
    putU16(b, std::uint16_t(channels * bytesPerSample));
    putU16(b, bits);
    for (char c : std::string("data")) b.push_back(std::uint8_t(c));
    putU32(b, dataBytes);
    for (std::int16_t s : samples) {
        if (bits == 8)
            b.push_back(std::uint8_t((s & 0xff) + 128));
        else
            putU16(b, std::uint16_t(s));
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

std::int16_t patternSample(std::uint32_t frame, std::uint32_t channel) {
    int c = int(channel);
    int v = channel % 2 == 0 ? int(frame % 7919 + 1) * 3 + c : -int(frame % 7919 + 1) * 3 - c;
    return std::int16_t(v);
}

std::vector<std::int16_t> patternSamples(std::uint32_t frames, std::uint32_t channels) {
    std::vector<std::int16_t> s;
    s.reserve(std::size_t(frames) * channels);
    for (std::uint32_t f = 0; f < frames; ++f)
        for (std::uint32_t c = 0; c < channels; ++c) s.push_back(patternSample(f, c));
    return s;
}

std::vector<std::uint8_t> readBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

WavContents readWav(const std::string& file) {
    WavContents w;
    std::vector<std::uint8_t> b = readBytes(file);
    w.fileSize = b.size();
    if (b.size() < 44 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 16) != "WAVEfmt " ||
        std::string(b.begin() + 36, b.begin() + 40) != "data")
        return w;
    w.riffSize = getU32(b, 4);
    w.channels = getU16(b, 22);
    w.rate = getU32(b, 24);
    w.dataSize = getU32(b, 40);
    for (std::size_t at = 44; at + 1 < b.size() && at < 44 + std::size_t(w.dataSize); at += 2)
        w.samples.push_back(std::int16_t(getU16(b, at)));
    w.ok = true;
    return w;
}

}  // namespace AudioTestFiles
