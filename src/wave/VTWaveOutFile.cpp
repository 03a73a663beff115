#include "wave/VTWaveOutFile.h"

#include <algorithm>

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint32_t kHeaderBytes = 44;

}  // namespace

VTWaveOutFile::VTWaveOutFile(const std::string& fileName, std::uint32_t sampleRate,
                             std::uint16_t channels, bool truncate)
    : fileName_(fileName), sampleRate_(sampleRate), channels_(channels) {
    if (channels_ == 0) return;  // no frame size: never usable
    bool exists = file_.open(fileName_, VTRiffFile::Mode::Update);
    if (!exists || truncate) {
        file_.close();
        create();
    } else if (!reopen()) {
        file_.close();
    }
}

VTWaveOutFile::~VTWaveOutFile() {
    updateHeader();
    file_.close();
}

bool VTWaveOutFile::create() {
    if (!file_.open(fileName_, VTRiffFile::Mode::Create)) return false;
    std::uint32_t bytesPerSecond = sampleRate_ * channels_ * 2;
    bool ok = file_.write("RIFF", 4);
    riffSizeOffset_ = 4;
    ok = ok && file_.writeU32(0) && file_.write("WAVE", 4) && file_.write("fmt ", 4) &&
         file_.writeU32(16) && file_.writeU16(kFormatPcm) && file_.writeU16(channels_) &&
         file_.writeU32(sampleRate_) && file_.writeU32(bytesPerSecond) &&
         file_.writeU16(std::uint16_t(channels_ * 2)) && file_.writeU16(16) &&
         file_.write("data", 4);
    dataSizeOffset_ = 40;
    ok = ok && file_.writeU32(0);
    dataOffset_ = kHeaderBytes;
    // On disk at once, so that the file is a valid (empty) wave file from the start.
    ok = ok && file_.flush();
    if (!ok) file_.close();
    return ok;
}

bool VTWaveOutFile::reopen() {
    std::uint32_t id = 0, riffSize = 0;
    if (!file_.readU32(id) || id != VTFourCC("RIFF")) return false;
    riffSizeOffset_ = file_.tell();
    if (!file_.readU32(riffSize) || !file_.readU32(id) || id != VTFourCC("WAVE")) return false;

    // The walk ignores the RIFF size, so a recording whose header was never brought up to date
    // (its sizes still 0) can be reopened and continued.
    VTRiffChunk fmt, data;
    if (!file_.descend(fmt, nullptr, VTRiffFile::Find::Chunk, VTFourCC("fmt "))) return false;
    std::uint16_t format, channels, blockAlign, bits;
    std::uint32_t rate, bytesPerSecond;
    if (fmt.size != 16 || !file_.readU16(format) || !file_.readU16(channels) ||
        !file_.readU32(rate) || !file_.readU32(bytesPerSecond) || !file_.readU16(blockAlign) ||
        !file_.readU16(bits))
        return false;
    if (format != kFormatPcm || channels != channels_ || rate != sampleRate_ ||
        bytesPerSecond != sampleRate_ * channels_ * 2 || blockAlign != channels_ * 2 || bits != 16)
        return false;

    if (!file_.ascend(fmt) ||
        !file_.descend(data, nullptr, VTRiffFile::Find::Chunk, VTFourCC("data")))
        return false;
    dataSizeOffset_ = data.headerOffset + 4;
    dataOffset_ = data.dataOffset;
    // A data size beyond the end of the file is taken as far as the file goes, so the next
    // header update does not keep a claim the file cannot back.
    std::uint64_t fileSize = file_.fileSize();
    std::uint64_t present = fileSize > dataOffset_ ? fileSize - dataOffset_ : 0;
    length_ =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(data.size, present) / frameBytes());
    return file_.seek(dataOffset_);
}

// The recorder writes and plays back from the audio thread, so samples go through a small
// buffer on the stack rather than one sized to the request.
constexpr std::size_t kChunkSamples = 2048;

void VTWaveOutFile::turnTo(Direction direction) {
    // stdio needs a seek between a write and a read; keep the stream where position says.
    if (direction != lastDirection_)
        file_.seek(dataOffset_ + std::uint64_t(position_) * frameBytes());
    lastDirection_ = direction;
}

std::uint32_t VTWaveOutFile::writeFrames(const std::int16_t* samples, std::uint32_t frames) {
    if (!isOpen() || frames == 0) return 0;
    turnTo(Direction::Writing);
    // Beyond this the data size field (and the RIFF size) would wrap round.
    std::uint64_t limit = (std::uint64_t(UINT32_MAX) - dataOffset_) / frameBytes();
    std::uint64_t room = limit > position_ ? limit - position_ : 0;
    std::uint32_t n = static_cast<std::uint32_t>(std::min<std::uint64_t>(frames, room));
    std::size_t count = std::size_t(n) * channels_;
    std::uint8_t bytes[kChunkSamples * 2];
    std::size_t written = 0;
    while (written < count) {
        std::size_t part = std::min(kChunkSamples, count - written);
        for (std::size_t k = 0; k < part; ++k) {
            auto v = static_cast<std::uint16_t>(samples[written + k]);
            bytes[2 * k] = std::uint8_t(v);
            bytes[2 * k + 1] = std::uint8_t(v >> 8);
        }
        if (!file_.write(bytes, part * 2)) break;
        written += part;
    }
    // Only whole frames that reached the file count.
    std::uint32_t done = static_cast<std::uint32_t>(written / channels_);
    position_ += done;
    length_ = std::max(length_, position_);
    return done;
}

std::uint32_t VTWaveOutFile::readFrames(std::int16_t* samples, std::uint32_t frames) {
    std::uint32_t k = 0;
    if (isOpen() && length_ > position_) k = std::min(length_ - position_, frames);
    if (k != 0) turnTo(Direction::Reading);
    std::size_t count = std::size_t(k) * channels_;
    std::uint8_t bytes[kChunkSamples * 2];
    for (std::size_t done = 0; done < count;) {
        std::size_t part = std::min(kChunkSamples, count - done);
        // A file cut short under us reads as silence where it ends.
        std::size_t got = file_.read(bytes, part * 2);
        std::fill(bytes + got, bytes + part * 2, std::uint8_t(0));
        for (std::size_t i = 0; i < part; ++i)
            samples[done + i] = static_cast<std::int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
        done += part;
    }
    std::fill(samples + count, samples + std::size_t(frames) * channels_, std::int16_t(0));
    position_ += k;
    return k;
}

void VTWaveOutFile::seekFrame(std::uint32_t frame) {
    if (!isOpen()) return;
    frame = std::min(frame, length_);
    file_.seek(dataOffset_ + std::uint64_t(frame) * frameBytes());
    position_ = frame;
    lastDirection_ = Direction::Positioned;
}

void VTWaveOutFile::clear() {
    if (!isOpen() || length_ == 0) return;
    position_ = length_ = 0;
    file_.close();
    create();
    lastDirection_ = Direction::Positioned;
}

void VTWaveOutFile::updateHeader() {
    if (!isOpen()) return;
    std::uint64_t here = file_.tell();
    std::uint64_t fileSize = file_.fileSize();
    std::uint32_t riffSize =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(fileSize - 8, UINT32_MAX));
    file_.seek(riffSizeOffset_);
    file_.writeU32(riffSize);
    file_.seek(dataSizeOffset_);
    file_.writeU32(length_ * frameBytes());
    file_.flush();
    file_.seek(here);
    lastDirection_ = Direction::Positioned;
}
