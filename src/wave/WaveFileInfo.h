#pragma once

#include <cstdint>
#include <string>

// What probeWaveFile learns about a sound file. Readers that stream the samples themselves
// open the file, move to dataOffset and read `frames` frames of `channels` signed 16-bit
// little-endian samples.
struct WaveFileInfo {
    bool isGood = false;
    double sampleRate = 0.0;
    std::uint32_t channels = 0;
    std::uint32_t frames = 0;
    std::uint32_t dataOffset = 0;
};

// Reads the format and the position of the sample data of a RIFF WAVE file. Only 16-bit PCM
// (format tag 1) with at least one channel and a non-zero rate is good; any other channel count
// and rate is accepted, and the format chunk may be longer than 16 bytes. Never fails loudly: a
// missing, unreadable, damaged or unsupported file gives isGood = false.
//
// A data chunk that claims more bytes than the file holds is taken as far as the file goes, so
// that `frames` never leads a reader past the end of the file.
bool probeWaveFile(const std::string& fileName, WaveFileInfo& info);
