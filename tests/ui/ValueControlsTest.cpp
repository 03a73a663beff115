#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "Mouse.h"
#include "RecordingCanvas.h"
#include "ui/KDDWKnob.h"
#include "ui/KDDWSlider.h"
#include "ui/KDValueScale.h"

using namespace mouse;

TEST(ValueScale, MapsBothWaysOnEachScale) {
    struct Case {
        KDScaleKind kind;
        double min, max, p, v;
    } cases[] = {
        {KDScaleKind::Linear, -10, 10, 0.25, -5},
        {KDScaleKind::Logarithmic, 20, 3000, 0.5, std::sqrt(20.0 * 3000.0)},
        {KDScaleKind::Octave, 20, 3000, 0.5, std::sqrt(20.0 * 3000.0)},
        {KDScaleKind::Octave, 1, 16, 0.25, 2},
    };
    for (const Case& c : cases) {
        KDValueScale s{c.min, c.max, c.kind};
        EXPECT_NEAR(s.ValueAt(c.p), c.v, 1e-9 * std::fabs(c.v) + 1e-12);
        EXPECT_NEAR(s.PositionOf(c.v), c.p, 1e-12);
    }
}

TEST(ValueScale, OutOfRangeValuesGoToTheEnds) {
    KDValueScale s{20, 3000, KDScaleKind::Logarithmic};
    EXPECT_EQ(s.PositionOf(5000), 1.0);
    EXPECT_EQ(s.PositionOf(1), 0.0);
    EXPECT_EQ(s.PositionOf(std::nan("")), 0.0);
    // A logarithmic range that reaches zero cannot be mapped logarithmically: it maps
    // linearly instead of giving NaN.
    KDValueScale zero{0, 100, KDScaleKind::Logarithmic};
    EXPECT_EQ(zero.ValueAt(0.5), 50.0);
    KDValueScale empty{5, 5, KDScaleKind::Linear};
    EXPECT_EQ(empty.PositionOf(5), 0.0);
}

// ---- knob ------------------------------------------------------------------------------------

TEST(Knob, LogarithmicKnobDragsAlongItsCurve) {
    KDDWKnob knob(40, 40);
    knob.SetMin(20);
    knob.SetMax(3000);
    knob.SetScale(ksLogarithmic);
    knob.SetValue(std::sqrt(20.0 * 3000.0));
    EXPECT_NEAR(knob.Position(), 0.5, 1e-12);
    EXPECT_NEAR(knob.Value(), 244.9, 0.05);

    std::vector<double> reported;
    knob.OnChange = [&](KDDWKnob&, double v) { reported.push_back(v); };
    Press(knob, 20, 20);
    Move(knob, 20, 10);                   // 10 pixels up: +0.1
    Move(knob, 25, 10);                   // sideways: nothing
    Move(knob, 20, 15, ssLeft | ssCtrl);  // 5 down with Ctrl: -0.005
    Release(knob, 20, 15);
    ASSERT_EQ(reported.size(), 2u);
    const KDValueScale curve{20, 3000, KDScaleKind::Logarithmic};
    EXPECT_NEAR(reported[0], curve.ValueAt(0.6), 1e-9);
    EXPECT_NEAR(reported[1], curve.ValueAt(0.595), 1e-9);
    EXPECT_NEAR(knob.Position(), 0.595, 1e-12);
}

TEST(Knob, DragStopsAtTheEnds) {
    KDDWKnob knob;
    int changes = 0;
    knob.OnChange = [&](KDDWKnob&, double) { ++changes; };
    Press(knob, 20, 20);
    Move(knob, 20, -200);
    EXPECT_EQ(knob.Position(), 1.0);
    Move(knob, 20, -300);  // further up changes nothing, and reports nothing
    Release(knob, 20, -300);
    EXPECT_EQ(changes, 1);
    Move(knob, 20, 500);  // not held any more
    EXPECT_EQ(knob.Position(), 1.0);
}

TEST(Knob, ValueAboveMaxPointsLowerRightAndReportsTheValueAsGiven) {
    KDDWKnob knob;
    double reported = 0;
    knob.OnChange = [&](KDDWKnob&, double v) { reported = v; };
    knob.SetValue(7.5);
    EXPECT_EQ(knob.Position(), 1.0);
    EXPECT_EQ(reported, 7.5);
    double x, y;
    KDDWKnob::PointAt({0, 0, 100, 100}, KDDWKnob::AngleOf(knob.Position()), x, y);
    EXPECT_GT(x, 80);
    EXPECT_GT(y, 80);
    KDDWKnob::PointAt({0, 0, 100, 100}, KDDWKnob::AngleOf(0.5), x, y);
    EXPECT_NEAR(x, 50, 1e-9);
    EXPECT_NEAR(y, 0, 1e-9);

    reported = 0;
    knob.SetValue(9.0);  // the pointer does not move: no report
    EXPECT_EQ(reported, 0);
    knob.Loading = true;
    knob.SetValue(0.5);
    EXPECT_EQ(reported, 0);
}

TEST(Knob, ChangingTheRangeKeepsTheValue) {
    KDDWKnob knob;
    knob.SetMax(10);
    knob.SetValue(4);
    knob.SetMax(20);
    EXPECT_DOUBLE_EQ(knob.Value(), 4);
    EXPECT_DOUBLE_EQ(knob.Position(), 0.2);
    knob.SetMin(5);  // the value falls below the range
    EXPECT_EQ(knob.Position(), 0.0);
}

TEST(Knob, AutomaticTicksLieBetweenTheEnds) {
    KDDWKnob knob(60, 40);
    knob.SetMax(1);
    knob.SetFrequency(0.25);
    knob.SetTickStyle(tsAuto);
    EXPECT_EQ(knob.KnobRect(), (KDRect{10, 0, 50, 40}));
    EXPECT_EQ(knob.RingRect(), (KDRect{17, 7, 43, 33}));
    RecordingCanvas canvas;
    knob.Paint(canvas);
    // Ticks at 0.25, 0.5 and 0.75 (not at Max): three short lines before the ring.
    int ticks = 0;
    for (const auto& item : canvas.items) {
        if (item.op == RecordingCanvas::Op::Ellipse) break;
        ticks += item.op == RecordingCanvas::Op::Line;
    }
    EXPECT_EQ(ticks, 3);

    knob.SetFrequency(0);  // a spacing that would never end gives no ticks
    RecordingCanvas none;
    knob.Paint(none);
    EXPECT_EQ(none.items.front().op, RecordingCanvas::Op::Ellipse);
}

// ---- slider ----------------------------------------------------------------------------------

TEST(Slider, VerticalSliderTravelsItsLengthLessTheThumb) {
    KDDWSlider slider(24, 100);
    std::vector<double> reported;
    slider.OnChange = [&](KDDWSlider&, double v) { reported.push_back(v); };
    Press(slider, 12, 95);
    Move(slider, 12, 95 - 89);  // 89 pixels up: Min to Max
    EXPECT_DOUBLE_EQ(slider.Position(), 1.0);
    EXPECT_TRUE(slider.ThumbPressed());
    Release(slider, 12, 6);
    EXPECT_FALSE(slider.ThumbPressed());

    slider.SetValue(0);
    Press(slider, 12, 500);
    for (int i = 1; i <= 10; ++i) Move(slider, 12, 500 - 89 * i, ssLeft | ssCtrl);
    Release(slider, 12, 0);
    EXPECT_NEAR(slider.Position(), 1.0, 1e-12) << "890 pixels with Ctrl";
    EXPECT_EQ(reported.size(), 11u);
}

TEST(Slider, HorizontalSliderGrowsToTheRightOnItsScale) {
    KDDWSlider slider(111, 24);
    slider.SetOrientation(soHorizontal);
    slider.SetMin(1);
    slider.SetMax(16);
    slider.SetScale(scOctave);
    double reported = 0;
    slider.OnChange = [&](KDDWSlider&, double v) { reported = v; };
    Press(slider, 10, 12);
    Move(slider, 60, 30);  // 50 of 100 pixels of travel, moving down does not count
    Release(slider, 60, 30);
    EXPECT_NEAR(reported, 4.0, 1e-12);
    EXPECT_NEAR(slider.ThumbCentre(), 56.5, 1e-12);
    EXPECT_EQ(slider.ThumbRect().left, 50);
    EXPECT_EQ(slider.ThumbRect().Width(), 11);

    reported = 0;
    slider.SetValue(8);  // programmatic: not reported
    EXPECT_EQ(reported, 0);
    EXPECT_NEAR(slider.Position(), 0.75, 1e-12);
}

TEST(Slider, VerticalThumbSitsFromTheBottom) {
    KDDWSlider slider(24, 100);
    slider.SetValue(0);
    EXPECT_EQ(slider.ThumbRect().bottom, 100);
    slider.SetValue(1);
    EXPECT_EQ(slider.ThumbRect().top, 0);
}
