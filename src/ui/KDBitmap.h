#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// A picture held as 0xAARRGGBB pixels, row by row from the top. Hosts may cache a converted
// copy keyed by Serial(), which changes whenever the pixels are replaced.
class KDBitmap {
public:
    KDBitmap() = default;
    KDBitmap(int width, int height, std::vector<std::uint32_t> pixels)
        : width_(width), height_(height), pixels_(std::move(pixels)), serial_(NextSerial()) {
        if (width_ <= 0 || height_ <= 0 || pixels_.size() != std::size_t(width_) * height_) {
            width_ = height_ = 0;
            pixels_.clear();
        }
    }

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsEmpty() const { return width_ == 0; }
    const std::vector<std::uint32_t>& Pixels() const { return pixels_; }
    std::uint64_t Serial() const { return serial_; }

private:
    static std::uint64_t NextSerial() {
        static std::uint64_t next = 0;
        return ++next;
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    std::uint64_t serial_ = 0;
};
