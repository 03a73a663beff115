#pragma once

#include <cstdint>

// The one sample format the program streams: 16-bit signed linear PCM, interleaved.
struct KDWaveFormat {
    int channels = 2;
    int samplesPerSecond = 44100;
    int bitsPerSample = 16;

    int blockAlign() const { return channels * bitsPerSample / 8; }
    int bytesPerSecond() const { return samplesPerSecond * blockAlign(); }

    static KDWaveFormat pcm16(int channels) { return KDWaveFormat{channels, 44100, 16}; }
};

enum class KDAudioDirection { Input, Output };
