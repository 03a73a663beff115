#include "ui/TPatternedScrollBox.h"

#include <cmath>

void TPatternedScrollBox::SetTile(KDBitmap tile) {
    tile_ = std::move(tile);
    Invalidate();
}

void TPatternedScrollBox::SetTileShiftPercent(float percent) {
    if (!std::isfinite(percent)) return;
    shiftPercent_ = percent;
    Invalidate();
}

void TPatternedScrollBox::SetContentOrigin(int x, int y) {
    if (x == origin_.x && y == origin_.y) return;
    origin_ = {x, y};
    Invalidate();
}

int TPatternedScrollBox::TileShift() const {
    return int(float(tile_.Width()) * shiftPercent_ / 100.0f);
}

int TPatternedScrollBox::Normalised(long long x) const {
    const long long tw = tile_.Width();
    x %= tw;
    if (x > 0) x -= tw;
    return int(x);
}

void TPatternedScrollBox::Paint(KDCanvas& c) {
    if (tile_.IsEmpty()) {
        c.FillRect(ClientRect(), c.Sys(KDSysColor::BtnFace));
        return;
    }
    ForEachTile([&](int x, int y) { c.DrawBitmap(x, y, tile_); });
}
