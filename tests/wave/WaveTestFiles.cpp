#include "WaveTestFiles.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace WaveTestFiles {

bool soxAvailable() {
    static const bool available =
        std::system("command -v sox >/dev/null 2>&1 && command -v soxi >/dev/null 2>&1") == 0;
    return available;
}

std::string runTool(const std::string& tool, const std::string& args) {
    std::string command = tool + " " + args + " 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        ADD_FAILURE() << "cannot run " << command;
        return {};
    }
    std::string out;
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) out.append(buf.data(), n);
    int status = pclose(pipe);
    if (status != 0) ADD_FAILURE() << command << " failed:\n" << out;
    return out;
}

void soxSine(const std::string& format, const std::string& file, int frames) {
    std::size_t afterChannels = format.find(' ', format.find("-c ") + 3);
    std::string input = format.substr(0, afterChannels);
    runTool("sox", input + " -n " + format + " " + file + " synth " + std::to_string(frames) +
                       "s sine 300 sine 1234 vol 0.7");
}

ScratchDir::ScratchDir() {
    std::string tmpl = (fs::temp_directory_path() / "vantrel-wave-XXXXXX").string();
    dir_ = mkdtemp(tmpl.data());
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
}

Bytes readFile(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& file, const Bytes& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void putU16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = std::uint8_t(v);
    b[at + 1] = std::uint8_t(v >> 8);
}

void putU32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
}

std::uint16_t getU16(const Bytes& b, std::size_t at) {
    return std::uint16_t(b[at] | b[at + 1] << 8);
}

std::uint32_t getU32(const Bytes& b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

void appendU16(Bytes& b, std::uint16_t v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}

void appendU32(Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
}

Bytes chunk(const std::string& id, const Bytes& body, bool pad) {
    Bytes b(id.begin(), id.end());
    appendU32(b, std::uint32_t(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    if (pad && body.size() % 2 == 1) b.push_back(0);
    return b;
}

Bytes fmtBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
              std::size_t extraBytes) {
    Bytes b;
    appendU16(b, tag);
    appendU16(b, channels);
    appendU32(b, rate);
    appendU32(b, rate * channels * (bits / 8));
    appendU16(b, std::uint16_t(channels * (bits / 8)));
    appendU16(b, bits);
    b.resize(b.size() + extraBytes, 0);
    return b;
}

Bytes riffWave(const std::vector<Bytes>& chunks, std::int64_t riffSize) {
    Bytes b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const Bytes& c : chunks) b.insert(b.end(), c.begin(), c.end());
    putU32(b, 4, riffSize < 0 ? std::uint32_t(b.size() - 8) : std::uint32_t(riffSize));
    return b;
}

Bytes samples16(const std::vector<std::int16_t>& s) {
    Bytes b;
    for (std::int16_t v : s) appendU16(b, std::uint16_t(v));
    return b;
}

std::vector<std::int16_t> samplesAt(const std::string& file, std::size_t offset,
                                    std::size_t count) {
    Bytes b = readFile(file);
    std::vector<std::int16_t> s;
    for (std::size_t k = 0; k < count && offset + 2 * k + 1 < b.size(); ++k)
        s.push_back(std::int16_t(getU16(b, offset + 2 * k)));
    return s;
}

}  // namespace WaveTestFiles
