#include "wave/WaveFileInfo.h"

#include <algorithm>

#include "wave/VTRiffFile.h"

namespace {

constexpr std::uint16_t kFormatPcm = 1;

}  // namespace

bool probeWaveFile(const std::string& fileName, WaveFileInfo& info) {
    info = WaveFileInfo{};
    if (fileName.empty()) return false;

    VTRiffFile file;
    if (!file.open(fileName, VTRiffFile::Mode::Read)) return false;

    VTRiffChunk riff, fmt, data;
    if (!file.descend(riff, nullptr, VTRiffFile::Find::Riff, VTFourCC("WAVE"))) return false;
    if (!file.descend(fmt, &riff, VTRiffFile::Find::Chunk, VTFourCC("fmt "))) return false;

    // Format tag, channels, sample rate, bytes per second, block alignment; then the bits.
    std::uint16_t formatTag = 0, channels = 0, blockAlign = 0, bits = 0;
    std::uint32_t sampleRate = 0, bytesPerSecond = 0;
    if (fmt.size < 16 || !file.readU16(formatTag) || !file.readU16(channels) ||
        !file.readU32(sampleRate) || !file.readU32(bytesPerSecond) || !file.readU16(blockAlign) ||
        !file.readU16(bits))
        return false;
    if (formatTag != kFormatPcm || bits != 16) return false;
    // Without a channel or a rate there is no frame size and no resampling ratio.
    if (channels == 0 || sampleRate == 0) return false;

    if (!file.ascend(fmt)) return false;
    if (!file.descend(data, &riff, VTRiffFile::Find::Chunk, VTFourCC("data"))) return false;

    std::uint64_t fileSize = file.fileSize();
    std::uint64_t present = fileSize > data.dataOffset ? fileSize - data.dataOffset : 0;
    std::uint64_t bytes = std::min<std::uint64_t>(data.size, present);
    if (data.dataOffset > UINT32_MAX) return false;

    info.sampleRate = sampleRate;
    info.channels = channels;
    info.frames = static_cast<std::uint32_t>(bytes / (std::uint64_t(channels) * 2));
    info.dataOffset = static_cast<std::uint32_t>(data.dataOffset);
    info.isGood = true;
    return true;
}
