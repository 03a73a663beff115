#include "wave/WaveTableLoader.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "signal/SGConstants.h"
#include "wave/VTRiffFile.h"
#include "wave/VTSampleConversion.h"

namespace {

constexpr double kScale = 1.0 / 32768.0;

// Reads `frames` frames of interleaved 16-bit samples at `offset`; what the file does not hold
// reads as zero.
std::vector<std::int16_t> readFrames(const std::string& fileName, std::uint32_t offset,
                                     std::uint64_t frames, std::uint32_t channels) {
    std::size_t count = static_cast<std::size_t>(frames * channels);
    std::vector<std::uint8_t> bytes(count * 2, 0);
    VTRiffFile file;
    if (file.open(fileName, VTRiffFile::Mode::Read) && file.seek(offset))
        file.read(bytes.data(), bytes.size());
    std::vector<std::int16_t> samples(count);
    for (std::size_t k = 0; k < count; ++k)
        samples[k] = static_cast<std::int16_t>(bytes[2 * k] | bytes[2 * k + 1] << 8);
    return samples;
}

void loadResampled(float* table, std::uint32_t size, const std::string& fileName,
                   const WaveFileInfo& info, double r) {
    std::uint64_t c = static_cast<std::uint64_t>(std::trunc(double(size) * r)) + 2;
    c = std::min<std::uint64_t>(c, info.frames);
    std::vector<std::int16_t> s = readFrames(fileName, info.dataOffset, c, info.channels);
    std::uint64_t m =
        std::min<std::uint64_t>(static_cast<std::uint64_t>(std::trunc(double(c) / r)), size);
    bool stereo = info.channels == 2;
    double t = 0.0;
    for (std::uint64_t j = 0; j < m; ++j, t += r) {
        // The sum of many steps may drift past the last frame read; it is its own partner.
        std::uint64_t i = std::min<std::uint64_t>(static_cast<std::uint64_t>(t), c - 1);
        std::uint64_t i1 = std::min<std::uint64_t>(i + 1, c - 1);
        double f = t - double(i);
        if (stereo) {
            double l0 = s[2 * i], l1 = s[2 * i1], r0 = s[2 * i + 1], r1 = s[2 * i1 + 1];
            table[j] = static_cast<float>((l0 + (l1 - l0) * f + r0 + (r1 - r0) * f) * kScale *
                                          double(VTSampleConversion::kStereoMixGain));
        } else {
            double s0 = s[i], s1 = s[i1];
            table[j] = static_cast<float>((s0 + (s1 - s0) * f) * kScale);
        }
    }
    std::fill(table + m, table + size + 1, 0.0f);
}

void loadAtSystemRate(float* table, std::uint32_t size, const std::string& fileName,
                      const WaveFileInfo& info) {
    std::uint32_t m = std::min(info.frames, size);
    std::vector<std::int16_t> s = readFrames(fileName, info.dataOffset, m, info.channels);
    using VTSampleConversion::sample16ToFloat;
    if (info.channels == 2) {
        for (std::uint32_t j = 0; j < m; ++j)
            table[j] = (sample16ToFloat(s[2 * j]) + sample16ToFloat(s[2 * j + 1])) *
                       VTSampleConversion::kStereoMixGain;
    } else {
        for (std::uint32_t j = 0; j < m; ++j) table[j] = sample16ToFloat(s[j]);
    }
    std::fill(table + m, table + size + 1, 0.0f);
}

}  // namespace

bool loadWaveIntoTable(float* table, std::uint32_t size, const std::string& fileName,
                       WaveFileInfo& info) {
    if (!probeWaveFile(fileName, info)) return false;
    if (info.channels != 1 && info.channels != 2) {
        std::fill(table, table + size + 1, 0.0f);
        return true;
    }
    double r = info.sampleRate / SGSampleRate;
    if (r != 1.0)
        loadResampled(table, size, fileName, info, r);
    else
        loadAtSystemRate(table, size, fileName, info);
    return true;
}
