#include "ui/KDCanvasScrollBar.h"

#include <cmath>

namespace {
// Scroll bars carry 16-bit positions: larger extents are shown scaled.
constexpr int kLargestRange = 32767;
}  // namespace

void KDCanvasScrollBar::Update(int extentSize, int clientSize, int offset) {
    if (extentSize > kLargestRange - 1) {
        scale_ = double(extentSize) / kLargestRange;
        max_ = kLargestRange;
        page_ = int(double(clientSize + 1) / scale_);
        position_ = int(double(offset) / scale_);
    } else {
        scale_ = 1.0;
        max_ = extentSize;
        page_ = clientSize + 1;
        position_ = offset;
    }
    if (page_ < 1) page_ = 1;
    enabled_ = extentSize > clientSize;
    if (position_ > MaxPosition()) position_ = MaxPosition();
    if (position_ < 0) position_ = 0;
    lowArrow_ = highArrow_ = true;
    if (position_ == MaxPosition())
        highArrow_ = false;
    else if (position_ == 0)
        lowArrow_ = false;
}

int KDCanvasScrollBar::OffsetForPosition(int position) const {
    return int(std::lround(position * scale_));
}
