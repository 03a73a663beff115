#pragma once

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

// Sound files the contraption tests write for themselves: 16-bit PCM WAV files in a scratch
// folder that goes with the fixture.
namespace LibraryWavFixtures {

class ScratchFolder {
public:
    ScratchFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("vantrel-lib-") + (info ? info->name() : "test") + "-" +
                           std::to_string(::getpid());
        dir_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::create_directories(dir_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::string path(const std::string& file) const { return (dir_ / file).string(); }
    std::string dirPath() const { return dir_.string(); }

private:
    std::filesystem::path dir_;
};

inline void put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xff));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}
inline void put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    put16(b, v & 0xffff);
    put16(b, v >> 16);
}

// Interleaved samples of `channels` channels at `rate`.
inline void writeWav(const std::string& file, std::uint32_t rate, std::uint16_t channels,
                     const std::vector<std::int16_t>& samples) {
    std::vector<std::uint8_t> b;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    b.insert(b.end(), {'R', 'I', 'F', 'F'});
    put32(b, 36 + dataBytes);
    b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(b, 16);
    put16(b, 1);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * channels * 2);
    put16(b, channels * 2);
    put16(b, 16);
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    put32(b, dataBytes);
    for (std::int16_t s : samples) put16(b, static_cast<std::uint16_t>(s));
    std::FILE* f = std::fopen(file.c_str(), "wb");
    ASSERT_NE(f, nullptr) << file;
    std::fwrite(b.data(), 1, b.size(), f);
    std::fclose(f);
}

inline void writeBytes(const std::string& file, const std::string& bytes) {
    std::FILE* f = std::fopen(file.c_str(), "wb");
    ASSERT_NE(f, nullptr) << file;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

}  // namespace LibraryWavFixtures
