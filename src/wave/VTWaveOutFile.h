#pragma once

#include <cstdint>
#include <string>

#include "wave/VTRiffFile.h"

// A 16-bit PCM wave file that is written, re-read and appended to by frame: the recorder's file
// and the export's. A new file gets the plain 44-byte header; an existing file is reopened only
// when it already is 16-bit PCM with the requested rate and channel count, and is left untouched
// otherwise. The header sizes are brought up to date by updateHeader and on destruction.
//
// Writes and reads may alternate freely: the stream is repositioned whenever the direction
// changes. Reading and writing allocate nothing, so the recorder may use them from the audio
// thread. No operation raises or shows a message: failures leave the writer not open.
class VTWaveOutFile {
public:
    VTWaveOutFile(const std::string& fileName, std::uint32_t sampleRate, std::uint16_t channels,
                  bool truncate);
    ~VTWaveOutFile();
    VTWaveOutFile(const VTWaveOutFile&) = delete;
    VTWaveOutFile& operator=(const VTWaveOutFile&) = delete;

    bool isOpen() const { return file_.isOpen(); }
    std::uint32_t position() const { return position_; }
    std::uint32_t length() const { return length_; }
    const std::string& fileName() const { return fileName_; }
    std::uint32_t sampleRate() const { return sampleRate_; }
    std::uint16_t channels() const { return channels_; }

    // Writes frames x channels interleaved samples at the stream position. Gives the frames
    // written: fewer than asked only when the disk refuses them or the data chunk would outgrow
    // what its 32-bit size field can count.
    std::uint32_t writeFrames(const std::int16_t* samples, std::uint32_t frames);
    // Reads up to `frames` frames; the rest of the buffer is set to silence. Gives the count read.
    std::uint32_t readFrames(std::int16_t* samples, std::uint32_t frames);
    void seekFrame(std::uint32_t frame);
    // Empties the file: recreated under its name with a fresh header. Nothing when already empty.
    void clear();
    void updateHeader();

private:
    enum class Direction { Positioned, Reading, Writing };

    bool create();
    void turnTo(Direction direction);
    bool reopen();
    std::uint32_t frameBytes() const { return std::uint32_t(channels_) * 2; }

    VTRiffFile file_;
    std::string fileName_;
    std::uint32_t sampleRate_;
    std::uint16_t channels_;
    std::uint32_t position_ = 0;
    std::uint32_t length_ = 0;
    std::uint64_t riffSizeOffset_ = 0;
    std::uint64_t dataSizeOffset_ = 0;
    std::uint64_t dataOffset_ = 0;
    Direction lastDirection_ = Direction::Positioned;
};
