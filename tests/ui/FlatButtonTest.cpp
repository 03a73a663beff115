#include <gtest/gtest.h>

#include "Mouse.h"
#include "RecordingCanvas.h"
#include "ui/KDFlatButton.h"

using namespace mouse;

struct Flat : ::testing::Test {
    KDFlatButton button{16, 14};
    RecordingHost host{&button};
    int clicks = 0;
    Flat() {
        button.SetHost(&host);
        button.OnClick = [this](KDControl&) { ++clicks; };
    }
};

TEST_F(Flat, HoverPressAndRelease) {
    Move(button, 5, 5, 0);
    EXPECT_EQ(button.State(), fbsHot);
    EXPECT_TRUE(host.captured) << "a hot button watches for the pointer leaving";
    Press(button, 5, 5);
    EXPECT_EQ(button.State(), fbsPressed);
    Release(button, 5, 5);
    EXPECT_EQ(button.State(), fbsHot);
    EXPECT_EQ(clicks, 1);
    Move(button, 30, 5, 0);
    EXPECT_EQ(button.State(), fbsNormal);
    EXPECT_FALSE(host.captured);
}

TEST_F(Flat, PressedAndReleasedOutsideDoesNotClick) {
    Move(button, 5, 5, 0);
    Press(button, 5, 5);
    Move(button, 40, 5);
    EXPECT_EQ(button.State(), fbsPressedAway);
    Move(button, 6, 6);
    EXPECT_EQ(button.State(), fbsPressed);
    Move(button, 40, 5);
    Release(button, 40, 5);
    EXPECT_EQ(button.State(), fbsNormal);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(host.captured);
}

TEST_F(Flat, HeldDownByTheOwner) {
    Move(button, 5, 5, 0);
    button.SetDown(true);
    EXPECT_EQ(button.State(), fbsNormal);
    EXPECT_FALSE(host.captured);
    RecordingCanvas c;
    button.Paint(c);
    // Sunken: the shadow colour on the top edge.
    bool sunken = false;
    for (const auto& l : c.Of(RecordingCanvas::Op::Line))
        sunken |= l.a.y == 0 && l.b.y == 0 && l.color == KDColor{128, 128, 128};
    EXPECT_TRUE(sunken);
}

TEST_F(Flat, LeavingTheWindowResets) {
    Move(button, 5, 5, 0);
    button.MouseLeave();
    EXPECT_EQ(button.State(), fbsNormal);
    EXPECT_FALSE(host.captured);
}

TEST_F(Flat, CaptionIsCentredAndMovesWhenPressed) {
    button.SetCaption("A");  // 6 by 13
    RecordingCanvas normal;
    button.Paint(normal);
    const auto t = normal.Of(RecordingCanvas::Op::Text);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].a, (KDPoint{5, 1}));
    Press(button, 5, 5);
    RecordingCanvas pressed;
    button.Paint(pressed);
    EXPECT_EQ(pressed.Of(RecordingCanvas::Op::Text)[0].a, (KDPoint{6, 2}));
}
