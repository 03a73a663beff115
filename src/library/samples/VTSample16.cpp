#include "library/samples/VTSample16.h"

#include <algorithm>

#include "signal/SGConstants.h"
#include "wave/VTRiffFile.h"
#include "wave/WaveFileInfo.h"

VTSample16::VTSample16()
    : data_(std::make_unique<std::int16_t[]>(2 * std::size_t{kMaxFrames} + kGuardSamples)) {}

void VTSample16::clear() {
    frames_ = 0;
    stereo_ = false;
    rateFactor_ = 1.0;
}

bool VTSample16::load(const std::string& path) {
    clear();
    if (path.empty()) return false;
    WaveFileInfo info;
    if (!probeWaveFile(path, info) || info.channels == 0) return false;
    const std::uint32_t frames = std::min(info.frames, kMaxFrames);
    if (!readFrames(path, info.dataOffset, info.channels, frames)) return false;
    stereo_ = info.channels == 2;
    rateFactor_ = info.sampleRate / SGSampleRate;
    frames_ = frames;
    return true;
}

bool VTSample16::readFrames(const std::string& path, std::uint32_t offset,
                            std::uint32_t fileChannels, std::uint32_t frames) {
    VTRiffFile file;
    if (!file.open(path, VTRiffFile::Mode::Read) || !file.seek(offset)) return false;
    // Read through a small buffer of whole frames, keeping one channel of files that have more
    // than two, and assembling the little-endian bytes whatever the host's byte order.
    const std::uint32_t kept = fileChannels == 2 ? 2 : 1;
    const std::uint32_t frameBytes = fileChannels * 2;
    std::uint8_t bytes[8192];
    const std::uint32_t framesPerRead = std::max<std::uint32_t>(1, sizeof bytes / frameBytes);
    if (frameBytes > sizeof bytes) return false;
    std::int16_t* d = data_.get();
    std::uint32_t done = 0;
    while (done < frames) {
        const std::uint32_t n = std::min(framesPerRead, frames - done);
        if (!file.readExactly(bytes, std::size_t{n} * frameBytes)) return false;
        for (std::uint32_t k = 0; k < n; ++k) {
            const std::uint8_t* f = bytes + std::size_t{k} * frameBytes;
            for (std::uint32_t c = 0; c < kept; ++c)
                *d++ = static_cast<std::int16_t>(f[2 * c] | f[2 * c + 1] << 8);
        }
        done += n;
    }
    return true;
}
