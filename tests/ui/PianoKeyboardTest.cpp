#include <gtest/gtest.h>

#include <vector>

#include "Mouse.h"
#include "RecordingCanvas.h"
#include "ui/KDPianoKeyboard.h"

using namespace mouse;

namespace {
std::vector<int> Selected(const KDPianoKeyboard& k) {
    std::vector<int> out;
    for (int i = 0; i < k.SelectedKeysCount(); ++i) out.push_back(k.SelectedKeys(i));
    return out;
}
// The middle of a key's drawn rectangle, low enough to miss black keys for white ones.
KDPoint On(const KDPianoKeyboard& k, int key) {
    const KDRect r = k.KeyRect(key);
    return {(r.left + r.right) / 2, KDPianoKeyboard::IsBlack(key) ? r.bottom - 5 : r.bottom - 5};
}
}  // namespace

TEST(PianoKeyboard, GeometryFromTheHeight) {
    KDPianoKeyboard k(400, 65);
    EXPECT_EQ(k.WhiteKeyWidth(), 10);
    EXPECT_EQ(k.BlackKeyWidth(), 7);
    EXPECT_EQ(k.BlackKeyHeight(), 37);
    k.Resize(400, 90);  // kw 15, bw 11 (odd already), bh 52
    EXPECT_EQ(k.WhiteKeyWidth(), 15);
    EXPECT_EQ(k.BlackKeyWidth(), 11);
    EXPECT_EQ(k.BlackKeyHeight(), 52);
    k.Resize(400, 48);  // kw 7, bw 5
    EXPECT_EQ(k.BlackKeyWidth(), 5);
}

TEST(PianoKeyboard, AutoSizeEndsOnAWhiteKey) {
    KDPianoKeyboard k(400, 65);
    RecordingHost host(&k);
    k.SetHost(&host);
    k.SetBottomKey(12);
    k.SetKeyRange(65);
    k.SetAutoSize(true);
    EXPECT_EQ(k.TopKey(), 77);
    EXPECT_EQ(k.KeyRange(), 65);
    EXPECT_EQ(k.Width(), 383);
    EXPECT_EQ(k.Offset(), 70);
    k.SetKeyRange(66);  // 78 is F sharp: the range ends on the F below it
    EXPECT_FALSE(KDPianoKeyboard::IsBlack(k.TopKey()));
}

TEST(PianoKeyboard, HitTestFindsWhiteAndBlackKeys) {
    KDPianoKeyboard k(400, 65);
    k.SetBottomKey(12);  // offset 70: note 12 (C) starts at x = 0
    EXPECT_EQ(k.KeyAt(5, 50), 12);
    EXPECT_EQ(k.KeyAt(15, 50), 14);
    EXPECT_EQ(k.KeyAt(10 - 3 - 1 + 2, 20), 13);  // C sharp from kw - b - 1 = 6
    EXPECT_EQ(k.KeyAt(5, 20), 12);               // left of the C sharp, up high: still C
    EXPECT_EQ(k.KeyAt(1, 50), 0);                // the frame
    EXPECT_EQ(k.KeyAt(397, 50), 0);              // beyond width - 4
    EXPECT_EQ(k.KeyAt(75, 50), 24);              // the next C
    for (int key : {12, 13, 15, 18, 20, 22, 23, 40})
        EXPECT_EQ(k.KeyAt(On(k, key).x, On(k, key).y), key) << key;
}

TEST(PianoKeyboard, SingleModeDragSelectsEachKeyInTurn) {
    KDPianoKeyboard k(400, 65);
    k.SetBottomKey(12);
    int changes = 0;
    k.OnChange = [&](KDPianoKeyboard&) { ++changes; };
    Press(k, 5, 50);
    EXPECT_EQ(Selected(k), std::vector<int>{12});
    Move(k, 7, 50);  // same key: nothing
    Move(k, 15, 50);
    Move(k, 25, 50);
    Move(k, 26, 50);
    Release(k, 26, 50);
    EXPECT_EQ(Selected(k), std::vector<int>{16});
    EXPECT_EQ(changes, 3);
    Move(k, 35, 50, 0);  // no button: nothing
    EXPECT_EQ(k.SelectedKey(), 16);
}

TEST(PianoKeyboard, MomentaryModeHoldsTheKeyWhileTheButtonIsDown) {
    KDPianoKeyboard k(400, 65);
    k.SetBottomKey(12);
    k.SetInputMode(kbMomentary);
    EXPECT_EQ(k.SelectedKeysCount(), 0);
    int changes = 0;
    k.OnChange = [&](KDPianoKeyboard&) { ++changes; };
    Press(k, 15, 50);
    EXPECT_EQ(k.SelectedKey(), 14);
    Move(k, 25, 50);
    EXPECT_EQ(k.SelectedKey(), 16);
    Release(k, 25, 50);
    EXPECT_EQ(k.SelectedKeysCount(), 0);
    EXPECT_EQ(changes, 3);
}

TEST(PianoKeyboard, MultipleModeToggles) {
    KDPianoKeyboard k(400, 65);
    k.SetBottomKey(12);
    k.SetInputMode(kbMomentary);  // clears the selection
    k.SetInputMode(kbMultiple);
    auto click = [&](int x) {
        Press(k, x, 50);
        Move(k, x + 10, 50);  // dragging does not select in this mode
        Release(k, x + 10, 50);
    };
    click(25);
    click(5);
    click(45);
    EXPECT_EQ(Selected(k), (std::vector<int>{12, 16, 19}));
    EXPECT_EQ(k.SelectedKey(), 0);
    EXPECT_EQ(k.SelectedKeys(3), 0);
    EXPECT_EQ(k.SelectedKeys(-1), 0);
    k.SetSelectedKey(30);  // ignored while several are selected
    EXPECT_EQ(k.SelectedKeysCount(), 3);
    click(25);
    EXPECT_EQ(Selected(k), (std::vector<int>{12, 19}));
    k.SetInputMode(kbSingle);  // keeps the lowest
    EXPECT_EQ(Selected(k), std::vector<int>{12});
}

TEST(PianoKeyboard, BottomKeyLimitsAndSelection) {
    KDPianoKeyboard k(400, 65);
    EXPECT_EQ(k.SelectedKey(), 1);
    k.SetBottomKey(0);
    k.SetBottomKey(128);
    EXPECT_EQ(k.BottomKey(), 1);
    k.SetSelectedKey(20);
    k.SetBottomKey(24);  // the selected key falls below: the bottom key is selected instead
    EXPECT_EQ(k.SelectedKey(), 24);
    k.SetInputMode(kbMultiple);
    k.SetBottomKey(30);
    EXPECT_EQ(k.SelectedKeysCount(), 0);
    int changes = 0;
    k.OnChange = [&](KDPianoKeyboard&) { ++changes; };
    k.SetSelectedKey(40);  // programmatic: no OnChange
    EXPECT_EQ(changes, 0);
    Press(k, 1, 50);  // on no key: nothing at all
    EXPECT_EQ(changes, 0);
}

TEST(PianoKeyboard, SelectedKeysAreDrawnHighlighted) {
    KDPianoKeyboard k(400, 65);
    k.SetBottomKey(12);
    k.SetSelectedKey(13);
    RecordingCanvas c;
    k.Paint(c);
    int highlighted = 0;
    for (const auto& r : c.Of(RecordingCanvas::Op::FillRect))
        if (r.color == RecordingCanvas::kHighlight) {
            ++highlighted;
            EXPECT_EQ(r.rect, k.KeyRect(13));
        }
    EXPECT_EQ(highlighted, 1);
}
