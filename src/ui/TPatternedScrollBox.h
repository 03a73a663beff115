#pragma once

#include "ui/KDBitmap.h"
#include "ui/KDControl.h"

// The background of a scroll box: a picture tiled from the content's origin, so that it moves
// with the content, each row shifted sideways from the one above for a brick pattern. The
// host scrolls the content and tells where its origin now lies.
class TPatternedScrollBox : public KDControl {
public:
    // The origin is marked by an invisible 9 by 9 pixel marker at (-10, -10) in content
    // coordinates; the tiles are laid from it.
    static constexpr int kMarkerOffset = -10;

    TPatternedScrollBox(int width = 200, int height = 200) : KDControl(width, height) {}

    const KDBitmap& Tile() const { return tile_; }
    void SetTile(KDBitmap tile);
    float TileShiftPercent() const { return shiftPercent_; }
    void SetTileShiftPercent(float percent);

    // Where the content's (0, 0) lies in client pixels (minus the scroll position).
    void SetContentOrigin(int x, int y);
    KDPoint ContentOrigin() const { return origin_; }

    int TileShift() const;
    // Calls f(x, y) for each tile, row by row from the top left, covering the client area.
    template <class F>
    void ForEachTile(F&& f) const;

    void Paint(KDCanvas& c) override;

private:
    // Brings a row start into (-tile width, 0].
    int Normalised(long long x) const;

    KDBitmap tile_;
    float shiftPercent_ = 23.0f;
    KDPoint origin_;
};

template <class F>
void TPatternedScrollBox::ForEachTile(F&& f) const {
    const int tw = tile_.Width(), th = tile_.Height();
    if (tw <= 0 || th <= 0) return;
    const long long mx = origin_.x + kMarkerOffset, my = origin_.y + kMarkerOffset;
    // The first row at or above the top edge, counted in whole tiles from the marker.
    long long row = -my / th;
    if (my + row * th > 0) --row;
    while (my + (row + 1) * th <= 0) ++row;
    int start = Normalised(mx + row * TileShift());
    for (long long y = my + row * th; y < Height(); y += th) {
        for (long long x = start; x < Width(); x += tw) f(int(x), int(y));
        start = Normalised(start + TileShift());
    }
}
