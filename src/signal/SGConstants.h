#pragma once

#include <cstdint>

// The two figures every processor is built around. They never change while the program runs.
inline constexpr std::uint32_t SGBlockSize = 256;
inline constexpr double SGSampleRate = 44100.0;
