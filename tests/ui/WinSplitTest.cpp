#include <gtest/gtest.h>

#include <string>

#include "Mouse.h"
#include "ui/TWinSplit.h"

using namespace mouse;

namespace {
struct Pane : KDSplitTarget {
    KDAlign align = alLeft;
    int size = 100;
    KDAlign Align() const override { return align; }
    int TargetSize() const override { return size; }
    void SetTargetSize(int s) override { size = s; }
};
}  // namespace

TEST(WinSplit, StartsThreeByHundred) {
    TWinSplit s;
    EXPECT_EQ(s.Width(), 3);
    EXPECT_EQ(s.Height(), 100);
}

TEST(WinSplit, MinimumSizeStopsTheLineAtTheLastAllowedPlace) {
    Pane pane;
    TWinSplit s;
    ASSERT_TRUE(s.SetTargetControl(&pane));
    s.SetMinTargetSize(30);
    std::string log;
    s.OnBeginSplit = [&](TWinSplit&) { log += "b"; };
    s.OnMoveSplit = [&](TWinSplit&) { log += "m"; };
    s.OnEndSplit = [&](TWinSplit&) { log += "e"; };
    Press(s, 1, 50);
    Move(s, -39, 50);  // 60 wide
    EXPECT_EQ(s.CandidateSize(), 60);
    EXPECT_EQ(s.LineOffset(), -40);
    Move(s, -90, 50);  // 10 wide: too narrow
    EXPECT_EQ(s.CandidateSize(), 60);
    EXPECT_EQ(s.LineOffset(), -40);
    EXPECT_EQ(pane.size, 100) << "the pane changes on release only";
    Release(s, -90, 50);
    EXPECT_EQ(pane.size, 60);
    EXPECT_EQ(log, "bmme");
    EXPECT_FALSE(s.Splitting());
}

TEST(WinSplit, RightAlignedTargetGrowsLeftward) {
    Pane pane;
    pane.align = alRight;
    TWinSplit s;
    s.SetTargetControl(&pane);
    EXPECT_EQ(s.Align(), alRight);
    s.SetMaxTargetSize(150);
    Press(s, 1, 10);
    Move(s, -29, 10);
    Release(s, -29, 10);
    EXPECT_EQ(pane.size, 130);
    Press(s, 1, 10);
    Move(s, -99, 10);  // 230: beyond the maximum
    Release(s, -99, 10);
    EXPECT_EQ(pane.size, 130);
}

TEST(WinSplit, LimitsNeverCross) {
    TWinSplit s;
    s.SetMaxTargetSize(50);
    s.SetMinTargetSize(80);
    EXPECT_EQ(s.MinTargetSize(), 50);
    s.SetMaxTargetSize(20);
    EXPECT_EQ(s.MaxTargetSize(), 50);
    s.SetMaxTargetSize(0);  // no limit
    EXPECT_EQ(s.MaxTargetSize(), 0);
    s.SetMinTargetSize(80);
    EXPECT_EQ(s.MinTargetSize(), 80);
}

TEST(WinSplit, TargetMustBeAlignedToAnEdge) {
    Pane pane;
    pane.align = alClient;
    TWinSplit s;
    EXPECT_FALSE(s.SetTargetControl(&pane));
    EXPECT_EQ(s.TargetControl(), nullptr);
    pane.align = alTop;
    EXPECT_TRUE(s.SetTargetControl(&pane));
    EXPECT_FALSE(s.Horizontal());
    Press(s, 1, 1, 0, KDMouseButton::Right);
    EXPECT_FALSE(s.Splitting()) << "only the left button splits";
    Press(s, 1, 1, ssRight);  // left with the right one held
    EXPECT_FALSE(s.Splitting());
}

TEST(WinSplit, TargetGoingAwayEndsTheDrag) {
    Pane pane;
    TWinSplit s;
    s.SetTargetControl(&pane);
    Press(s, 1, 1);
    Move(s, 20, 1);
    s.TargetDestroyed(&pane);
    EXPECT_FALSE(s.Splitting());
    EXPECT_EQ(s.TargetControl(), nullptr);
    Move(s, 30, 1);
    Release(s, 30, 1);
    EXPECT_EQ(pane.size, 100);
}
