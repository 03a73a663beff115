#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

// A 16-bit WAV file of a few sine partials that the benchmarks write for themselves.
inline std::string benchWavFile(const char* name, std::uint16_t channels, std::uint32_t frames) {
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    std::vector<std::uint8_t> b;
    auto put16 = [&b](std::uint32_t v) {
        b.push_back(static_cast<std::uint8_t>(v & 0xff));
        b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
    };
    auto put32 = [&put16](std::uint32_t v) {
        put16(v & 0xffff);
        put16(v >> 16);
    };
    const std::uint32_t bytes = frames * channels * 2;
    for (char c : std::string("RIFF")) b.push_back(static_cast<std::uint8_t>(c));
    put32(36 + bytes);
    for (char c : std::string("WAVEfmt ")) b.push_back(static_cast<std::uint8_t>(c));
    put32(16);
    put16(1);
    put16(channels);
    put32(44100);
    put32(44100 * channels * 2);
    put16(channels * 2);
    put16(16);
    for (char c : std::string("data")) b.push_back(static_cast<std::uint8_t>(c));
    put32(bytes);
    for (std::uint32_t k = 0; k < frames; ++k)
        for (std::uint16_t c = 0; c < channels; ++c)
            put16(static_cast<std::uint16_t>(static_cast<std::int16_t>(
                9000 * std::sin(k * 0.031 * (c + 1)) + 4000 * std::sin(k * 0.0071))));
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(b.data(), 1, b.size(), f);
        std::fclose(f);
    }
    return path;
}

// Reports the rate of a benchmark that runs one block per iteration in nanoseconds per sample.
#define VT_BENCH_PER_SAMPLE(state)                                                \
    state.counters["ns/sample"] =                                                 \
        benchmark::Counter(static_cast<double>(state.iterations()) * SGBlockSize, \
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert)
