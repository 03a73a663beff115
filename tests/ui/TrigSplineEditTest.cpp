// The spline path editor: the text form, moving, adding, deleting points, the start point and
// moving the whole path.
#include <gtest/gtest.h>

#include <cstdlib>

#include "Mouse.h"
#include "RecordingCanvas.h"
#include "ui/KDTrigSplineEdit.h"

using namespace mouse;

namespace {

// A 203 x 203 editor maps a coordinate c to 101 + 100 c.
struct SplineEdit : ::testing::Test {
    SplineEdit() : host(&edit) {
        edit.SetHost(&host);
        edit.OnChange = [this](KDTrigSplineEdit&) { ++changes; };
    }
    KDPoint screen(int k) { return edit.ScreenOf(edit.Points()[k]); }

    KDTrigSplineEdit edit{203, 203};
    RecordingHost host;
    int changes = 0;
};

TEST_F(SplineEdit, ANewEditorHoldsThreePointsAndWritesThemAsText) {
    EXPECT_EQ(edit.SegmentCount(), 3);
    EXPECT_EQ(edit.CommaText(), "0,0.5, -0.5,-0.2, 0.5,-0.2");
    EXPECT_EQ(edit.ScreenOf({0.0f, 0.5f}), (KDPoint{101, 51}));

    edit.SetCommaText("0.1,0.2, 0.3,0.4, -0.5,0.6, 0.7,-0.8");
    EXPECT_EQ(edit.SegmentCount(), 4);
    EXPECT_EQ(edit.CommaText(), "0.1,0.2, 0.3,0.4, -0.5,0.6, 0.7,-0.8");
    for (const char* refused :
         {"", "1,2, 3,4", "1,2, x,4, 5,6", "1,2, 3,4, 5", "nan,1, 2,3, 4,5"}) {
        edit.SetCommaText(refused);
        EXPECT_EQ(edit.SegmentCount(), 4) << "'" << refused << "' leaves the path";
    }
}

TEST_F(SplineEdit, DraggingAPointStopsAtTheEdgeOfTheSquare) {
    const KDPoint p = screen(1);
    Press(edit, p.x, p.y);
    EXPECT_EQ(edit.GetEditMode(), KDTrigSplineEdit::emEdit);
    Move(edit, p.x - 500, p.y + 500);
    Release(edit, p.x - 500, p.y + 500);
    EXPECT_FLOAT_EQ(edit.Points()[1].x, -0.98f);
    EXPECT_FLOAT_EQ(edit.Points()[1].y, -0.98f);
    EXPECT_EQ(changes, 0) << "released outside the editor";
    Press(edit, 5, 5);
    Release(edit, 5, 5);
    EXPECT_EQ(changes, 1) << "every release over the editor, changed or not";
}

TEST_F(SplineEdit, AClickOnTheCurveBetweenTheFirstTwoPointsInsertsOneThere) {
    std::array<KDPoint, KDTrigSplineEdit::kCurveVertices> v;
    edit.SegmentVertices(2, v);  // runs from point 1 towards point 0
    const KDPoint on = v[128];
    Press(edit, on.x, on.y);
    ASSERT_EQ(edit.SegmentCount(), 4);
    EXPECT_EQ(edit.GetEditMode(), KDTrigSplineEdit::emEdit) << "the new point is held";
    const KDPoint inserted = edit.ScreenOf(edit.Points()[1]);
    EXPECT_LE(std::abs(inserted.x - on.x), 1) << "between the first two points, where pressed";
    EXPECT_LE(std::abs(inserted.y - on.y), 1);
    Move(edit, on.x + 10, on.y);
    Release(edit, on.x + 10, on.y);
    EXPECT_NEAR(edit.Points()[1].x, (on.x + 10 - 101) / 100.0, 0.011);
    EXPECT_FLOAT_EQ(edit.Points()[2].x, -0.5f) << "the old second point moved down one";
}

TEST_F(SplineEdit, CtrlDeletesButKeepsThreePointsAndShiftChoosesTheStart) {
    const KDPoint third = screen(2);
    Press(edit, third.x, third.y, ssCtrl);
    Release(edit, third.x, third.y, ssCtrl);
    EXPECT_EQ(edit.SegmentCount(), 3) << "a three-point path keeps its points";

    Press(edit, third.x, third.y, ssShift);
    Release(edit, third.x, third.y, ssShift);
    EXPECT_EQ(edit.StartPoint(), 2);
    EXPECT_EQ(edit.CommaText(), "0.5,-0.2, 0,0.5, -0.5,-0.2") << "begins there and wraps";
    EXPECT_EQ(edit.GetEditMode(), KDTrigSplineEdit::emMove);

    edit.SetCommaText("0,0.5, -0.5,-0.2, 0.5,-0.2, 0.5,0.5");
    EXPECT_EQ(edit.StartPoint(), 0);
    const KDPoint last = screen(3);
    Press(edit, last.x, last.y, ssShift);
    Release(edit, last.x, last.y, ssShift);
    const KDPoint first = screen(0);
    Press(edit, first.x, first.y, ssCtrl);
    Release(edit, first.x, first.y, ssCtrl);
    EXPECT_EQ(edit.SegmentCount(), 3);
    EXPECT_EQ(edit.StartPoint(), 2) << "the start point keeps its point";
    EXPECT_EQ(edit.CommaText(), "0.5,0.5, -0.5,-0.2, 0.5,-0.2");
}

TEST_F(SplineEdit, DraggingThePathStopsFivePixelsFromAnEdge) {
    Press(edit, 190, 190);  // far from the points and the curve
    ASSERT_EQ(edit.GetEditMode(), KDTrigSplineEdit::emMove);
    Move(edit, 400, 190);
    Release(edit, 400, 190);
    int right = 0;
    for (const auto& p : edit.Points()) right = std::max(right, edit.ScreenOf(p).x);
    EXPECT_EQ(right, 203 - 5) << "the outermost point stops 5 pixels from the right edge";
    EXPECT_NEAR(edit.Points()[1].y, -0.2f, 1e-6) << "a sideways drag moves nothing up or down";
}

TEST_F(SplineEdit, PaintDrawsTheCurvePointsStartAndCentre) {
    RecordingCanvas canvas;
    edit.Paint(canvas);
    int teal = 0, red = 0, green = 0, blue = 0;
    for (const auto& item : canvas.items) {
        if (item.op == RecordingCanvas::Op::Line && item.color == KDColor{0, 128, 128}) ++teal;
        if (item.op == RecordingCanvas::Op::FillRect && item.color == KDColor{255, 0, 0}) ++red;
        if (item.op == RecordingCanvas::Op::FrameRect && item.color == KDColor{0, 255, 0}) ++green;
        if (item.op == RecordingCanvas::Op::Line && item.color == KDColor{0, 0, 255}) ++blue;
    }
    EXPECT_EQ(teal, 3 * 255) << "a polyline of 256 vertices per segment";
    EXPECT_EQ(red, 1) << "the start point";
    EXPECT_EQ(green, 2) << "the others";
    EXPECT_EQ(blue, 2) << "the centre cross";
}

}  // namespace
