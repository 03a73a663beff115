#pragma once

#include <cstdint>
#include <vector>

#include "platform/audio/KDWaveHeader.h"

// The buffers of one device slot: `count` buffers of `size` bytes counted as stereo frames,
// each widened to the slot's channel count, with a header whose user field is its index.
// Memory is taken on first use after a change of configuration, never in the buffer cycle.
class KDWaveBufferQueue {
public:
    void Configure(int count, int size, int channels);
    void Allocate();
    void Free();

    int count() const { return count_; }
    bool allocated() const { return !headers_.empty(); }
    int channels() const { return channels_; }
    int frames() const { return size_ / 4; }
    std::uint32_t bufferBytes() const {
        return static_cast<std::uint32_t>(frames()) * channels_ * 2;
    }

    KDWaveHeader& header(int index) { return headers_[index]; }
    std::int16_t* samples(int index) {
        return memory_.data() + static_cast<std::size_t>(index) * frames() * channels_;
    }
    void Clear();

private:
    int count_ = 0;
    int size_ = 0;
    int channels_ = 0;
    std::vector<std::int16_t> memory_;
    std::vector<KDWaveHeader> headers_;
};
