#include <gtest/gtest.h>

#include "Mouse.h"
#include "ui/KDRangeSlider.h"

using namespace mouse;
using Grab = KDRangeSlider::Grab;

TEST(RangeSlider, DeltasForEachGrabAndModifier) {
    struct Case {
        Grab grab;
        bool alt, shift;
        double d0, d1;
    } cases[] = {
        {Grab::High, false, false, 0, 1},  {Grab::High, false, true, 1, 1},
        {Grab::High, true, false, 1, 0},   {Grab::High, true, true, -1, 1},
        {Grab::Low, false, false, 1, 0},   {Grab::Low, false, true, 1, 1},
        {Grab::Low, true, false, 0, 1},    {Grab::Low, true, true, 1, -1},
        {Grab::Track, false, false, 1, 1}, {Grab::Track, false, true, 0, 1},
        {Grab::Track, true, false, 1, 0},  {Grab::Track, true, true, -1, 1},
    };
    for (const Case& c : cases) {
        double d0, d1;
        KDRangeSlider::Deltas(c.grab, c.alt, c.shift, 0.5, d0, d1);
        EXPECT_EQ(d0, 0.5 * c.d0) << int(c.grab) << c.alt << c.shift;
        EXPECT_EQ(d1, 0.5 * c.d1) << int(c.grab) << c.alt << c.shift;
    }
}

TEST(RangeSlider, LimitsKeepTheThumbsInOrder) {
    struct Case {
        double p0, p1, d0, d1, want0, want1;
    } cases[] = {
        {0.2, 0.6, -0.3, -0.3, 0.0, 0.4},  // both down: stop together at the bottom
        {0.2, 0.6, 0.5, 0.0, 0.6, 0.6},    // low past high: stops at it
        {0.2, 0.6, 0.0, -0.5, 0.2, 0.2},   // high below low: stops at it
        {0.2, 0.6, 0.3, 0.3, 0.5, 0.9},
        {0.2, 0.7, 0.5, 0.5, 0.5, 1.0},   // both up: stop together at the top
        {0.2, 0.6, -0.3, 0.3, 0.0, 0.8},  // spreading: the mirror keeps the same amount
        {0.4, 0.6, 0.2, -0.2, 0.5, 0.5},  // squeezing: they meet in the middle
        {0.5, 0.9, 0.0, 0.3, 0.5, 1.0},
    };
    for (const Case& c : cases) {
        double p0 = c.p0, p1 = c.p1;
        KDRangeSlider::Apply(p0, p1, c.d0, c.d1);
        EXPECT_NEAR(p0, c.want0, 1e-12) << c.p0 << " " << c.p1 << " " << c.d0 << " " << c.d1;
        EXPECT_NEAR(p1, c.want1, 1e-12) << c.p0 << " " << c.p1 << " " << c.d0 << " " << c.d1;
    }
}

struct RangeFixture : ::testing::Test {
    // 116 pixels high: 100 pixels of travel.
    KDRangeSlider slider{24, 116};
    double v0 = -1, v1 = -1;
    int changes = 0;
    RangeFixture() {
        slider.SetValue1(0.6);
        slider.SetValue0(0.2);
        slider.OnChange = [this](KDRangeSlider&, double a, double b) { v0 = a, v1 = b, ++changes; };
    }
    // The client y of a distance along the slider from the bottom.
    int Y(double along) const { return int(116 - 1 - along); }
};

TEST_F(RangeFixture, PressPicksThumbOrTrack) {
    EXPECT_EQ(slider.GrabAt(20), Grab::Low);  // low thumb: 20..28
    EXPECT_EQ(slider.GrabAt(28), Grab::Low);
    EXPECT_EQ(slider.GrabAt(67), Grab::High);  // high thumb: 67..75
    EXPECT_EQ(slider.GrabAt(75), Grab::High);
    EXPECT_EQ(slider.GrabAt(40), Grab::Track);
    EXPECT_EQ(slider.GrabAt(90), Grab::Track);
}

TEST_F(RangeFixture, DraggingTheTrackDownStopsBothAtTheBottom) {
    Press(slider, 12, Y(40));
    EXPECT_EQ(slider.Grabbed(), Grab::Track);
    EXPECT_TRUE(slider.LowPressed() && slider.HighPressed());
    Move(slider, 12, Y(10));  // down by 0.3 of the travel
    Release(slider, 12, Y(10));
    EXPECT_NEAR(slider.Position0(), 0.0, 1e-12);
    EXPECT_NEAR(slider.Position1(), 0.4, 1e-12);
    EXPECT_NEAR(v0, 0.0, 1e-12);
    EXPECT_NEAR(v1, 0.4, 1e-12);
    EXPECT_EQ(changes, 1);
}

TEST_F(RangeFixture, DraggingTheLowThumbPastTheHighOneStopsAtIt) {
    Press(slider, 12, Y(24));
    EXPECT_EQ(slider.Grabbed(), Grab::Low);
    EXPECT_TRUE(slider.LowPressed());
    EXPECT_FALSE(slider.HighPressed());
    Move(slider, 12, Y(94));
    Release(slider, 12, Y(94));
    EXPECT_NEAR(slider.Position0(), 0.6, 1e-12);
    EXPECT_NEAR(slider.Position1(), 0.6, 1e-12);
}

TEST_F(RangeFixture, ModifiersDuringADragChangeWhichThumbsMove) {
    Press(slider, 12, Y(70));  // the high thumb
    Move(slider, 12, Y(80));   // +0.1: the high one alone
    EXPECT_NEAR(slider.Position1(), 0.7, 1e-12);
    EXPECT_FALSE(slider.LowPressed());
    slider.KeyDown({KDKey::Shift, 0, ssShift});
    EXPECT_TRUE(slider.LowPressed()) << "Shift moves both";
    Move(slider, 12, Y(70), ssLeft | ssShift);  // -0.1 for both
    EXPECT_NEAR(slider.Position0(), 0.1, 1e-12);
    EXPECT_NEAR(slider.Position1(), 0.6, 1e-12);
    Move(slider, 12, Y(60), ssLeft | ssShift | ssCtrl);  // a tenth of -0.1
    EXPECT_NEAR(slider.Position0(), 0.09, 1e-12);
    slider.KeyUp({KDKey::Shift, 0, 0});
    EXPECT_FALSE(slider.LowPressed());
    Release(slider, 12, Y(60));
    EXPECT_FALSE(slider.HighPressed());
}

TEST_F(RangeFixture, SettingValuesInEitherOrderGivesTheRangeAskedFor) {
    slider.SetValue0(0.7);  // above the high value: pushes it along
    slider.SetValue1(0.9);
    EXPECT_NEAR(slider.Value0(), 0.7, 1e-12);
    EXPECT_NEAR(slider.Value1(), 0.9, 1e-12);
    slider.SetValue1(0.1);
    slider.SetValue0(0.05);
    EXPECT_NEAR(slider.Value0(), 0.05, 1e-12);
    EXPECT_NEAR(slider.Value1(), 0.1, 1e-12);
    EXPECT_EQ(changes, 0);
}
