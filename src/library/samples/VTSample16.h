#pragma once

#include <cstdint>
#include <memory>
#include <string>

// A sound file's 16-bit samples held in memory (interleaved when stereo), for the players that
// read them sample by sample. The buffer is allocated once, for the longest sound a player
// takes, so that a new file is read into it without allocating; a file longer than that is cut.
//
// Mono and stereo files keep their channels; a file with more channels plays its first channel
// as a mono sound.
class VTSample16 {
public:
    static constexpr std::uint32_t kMaxFrames = 661500;
    // Samples kept after the last frame, for the players' interpolation guards.
    static constexpr std::uint32_t kGuardSamples = 4;

    VTSample16();
    VTSample16(const VTSample16&) = delete;
    VTSample16& operator=(const VTSample16&) = delete;

    // Discards the present sound and reads the file at `path` (already resolved). A file that
    // cannot be probed or read leaves no sound (frames 0) and gives false.
    bool load(const std::string& path);
    void clear();

    const std::int16_t* data() const { return data_.get(); }
    std::int16_t* data() { return data_.get(); }
    std::uint32_t frames() const { return frames_; }
    bool isStereo() const { return stereo_; }
    std::uint32_t channels() const { return stereo_ ? 2 : 1; }
    // File sample rate / system sample rate.
    double rateFactor() const { return rateFactor_; }

private:
    bool readFrames(const std::string& path, std::uint32_t offset, std::uint32_t fileChannels,
                    std::uint32_t frames);

    std::unique_ptr<std::int16_t[]> data_;
    std::uint32_t frames_ = 0;
    bool stereo_ = false;
    double rateFactor_ = 1.0;
};
