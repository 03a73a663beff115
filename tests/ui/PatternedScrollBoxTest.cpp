#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "RecordingCanvas.h"
#include "ui/TPatternedScrollBox.h"

namespace {
KDBitmap Tile(int w, int h) {
    return KDBitmap(w, h, std::vector<std::uint32_t>(w * h, 0xff808080u));
}

// Row top -> the x of each tile in that row.
std::map<int, std::vector<int>> Rows(const TPatternedScrollBox& box) {
    std::map<int, std::vector<int>> rows;
    box.ForEachTile([&](int x, int y) { rows[y].push_back(x); });
    return rows;
}
}  // namespace

TEST(PatternedScrollBox, HalfShiftGivesBricks) {
    TPatternedScrollBox box(100, 50);
    box.SetTile(Tile(40, 20));
    box.SetTileShiftPercent(50);
    EXPECT_EQ(box.TileShift(), 20);
    // The marker sits at (-10, -10): rows start at y = -10, 10, 30, and the first row's tiles
    // at x = -10.
    const auto rows = Rows(box);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows.at(-10), (std::vector<int>{-10, 30, 70}));
    EXPECT_EQ(rows.at(10), (std::vector<int>{-30, 10, 50, 90}));  // -10 + 20 > 0: back a tile
    EXPECT_EQ(rows.at(30), (std::vector<int>{-10, 30, 70}));
}

TEST(PatternedScrollBox, DefaultShiftAndCoverage) {
    TPatternedScrollBox box(200, 200);
    EXPECT_FLOAT_EQ(box.TileShiftPercent(), 23.0f);
    box.SetTile(Tile(30, 17));
    EXPECT_EQ(box.TileShift(), 6);
    // Every client pixel is covered by a tile, whatever the scroll position.
    for (KDPoint origin : {KDPoint{0, 0}, KDPoint{-37, -55}, KDPoint{-1000, -3}, KDPoint{5, 9}}) {
        box.SetContentOrigin(origin.x, origin.y);
        std::vector<int> covered(200 * 200, 0);
        box.ForEachTile([&](int x, int y) {
            for (int yy = std::max(y, 0); yy < std::min(y + 17, 200); ++yy)
                for (int xx = std::max(x, 0); xx < std::min(x + 30, 200); ++xx)
                    ++covered[yy * 200 + xx];
        });
        for (int n : covered) ASSERT_EQ(n, 1) << origin.x << "," << origin.y;
    }
}

TEST(PatternedScrollBox, PatternScrollsWithTheContent) {
    TPatternedScrollBox box(100, 100);
    box.SetTile(Tile(40, 20));
    box.SetTileShiftPercent(50);
    box.SetContentOrigin(-25, -20);  // scrolled by 25 across and one row down
    const auto rows = Rows(box);
    // Marker at (-35, -30): the row at y = -10 is the second row from it, shifted by 20.
    EXPECT_EQ(rows.begin()->first, -10);
    EXPECT_EQ(rows.begin()->second.front(), -15);
}

TEST(PatternedScrollBox, EmptyTileLeavesThePlainBackground) {
    TPatternedScrollBox box(50, 50);
    RecordingCanvas c;
    box.Paint(c);
    ASSERT_EQ(c.items.size(), 1u);
    EXPECT_EQ(c.items[0].op, RecordingCanvas::Op::FillRect);
    EXPECT_EQ(c.items[0].color, RecordingCanvas::kBtnFace);
    box.SetTile(Tile(25, 25));
    RecordingCanvas tiled;
    box.Paint(tiled);
    EXPECT_EQ(tiled.Of(RecordingCanvas::Op::Bitmap).size(), 8u);  // rows of 3, 3 and 2
}
