// Where editor windows go: the grid, the header drag, the content origin, and the position kept
// while a window is closed.
#include <QScrollBar>

#include "EditorFixture.h"
#include "editors/generators/TTestGenForm.h"

namespace vantrel::test {
namespace {

TEST(FormSnap, BoundsLieOnTheGridOfTheContent) {
    struct Case {
        QRect in;
        QRect out;
    };
    const Case cases[] = {
        {{100, 40, 190, 90}, {100, 40, 190, 90}},  // already on the grid: stays
        {{107, 49, 182, 90}, {100, 40, 190, 90}},  // down to the grid, size up to it
        {{-35, -2, 181, 1}, {0, 0, 190, 10}},      // never left of or above the origin
        {{9, 19, 10, 20}, {0, 10, 10, 20}},
    };
    for (const Case& c : cases) EXPECT_EQ(TContraptionForm::snapBounds(c.in), c.out) << c.in.x();
}

class FormDrag : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        c = preview->addEditor("TestGen", 100, 40);
        ASSERT_NE(c, nullptr);
        form = &formOf(*c);
        header = &form->header();
    }

    // A drag of the header by (dx, dy) from a point, made of single-pixel moves, as positions
    // in the header's coordinates at the time of each move (the header moves with the window).
    void drag(QPoint from, int dx, int dy) {
        const QPoint startOnScreen = header->mapToGlobal(from);
        Press(header, from);
        const int steps = std::max(std::abs(dx), std::abs(dy));
        for (int i = 1; i <= steps; ++i) {
            const QPoint onScreen = startOnScreen + QPoint(dx * i / steps, dy * i / steps);
            MoveHeld(header, header->mapFromGlobal(onScreen));
        }
        Release(header, header->mapFromGlobal(startOnScreen + QPoint(dx, dy)));
    }

    VTContraption* c = nullptr;
    TContraptionForm* form = nullptr;
    QWidget* header = nullptr;
};

TEST_F(FormDrag, SevenPixelsDoNotMoveTheWindow) {
    drag({30, 8}, 7, -7);
    EXPECT_EQ(form->pos(), QPoint(100, 40));
}

TEST_F(FormDrag, TwentyThreePixelsMoveByTwentyAndKeepThree) {
    modified = 0;
    drag({30, 8}, 23, 0);
    EXPECT_EQ(form->pos(), QPoint(120, 40));
    EXPECT_EQ(form->dragTracker().accumulated(), QPoint(3, 0));
    EXPECT_GT(modified, 0);
    // The kept 3 pixels count: 7 more make the next ten.
    Press(header, {30, 8});
    MoveHeld(header, {37, 8});
    EXPECT_EQ(form->pos(), QPoint(120, 40)) << "a new drag starts from nothing";
    MoveHeld(header, {40, 8});
    EXPECT_EQ(form->pos(), QPoint(130, 40));
    Release(header, {40, 8});
}

TEST_F(FormDrag, TheNameDragsTheWindowToo) {
    // The label lets presses through to the header.
    QWidget* label = &form->header().label();
    EXPECT_EQ(label->childAt(5, 5), nullptr);
    EXPECT_TRUE(label->testAttribute(Qt::WA_TransparentForMouseEvents));
    drag(label->mapTo(header, QPoint(5, 5)), 0, 31);
    EXPECT_EQ(form->pos(), QPoint(100, 70));
}

TEST_F(FormDrag, StopsAtTheContentOrigin) {
    drag({30, 8}, -160, 0);
    EXPECT_EQ(form->pos().x(), 0);
    EXPECT_EQ(form->contentLeft(), 0);
    // Dragged back, the window follows the pointer again at once.
    drag({30, 8}, 40, 0);
    EXPECT_EQ(form->pos().x(), 40);
}

TEST_F(FormDrag, ScrolledPaneDragStopsAtContentOriginNotAtTheView) {
    VTContraption* far = preview->addEditor("TestGen", 300, 300);
    viewSize(150, 150);
    TContraptionForm& f = formOf(*far);
    pane().setScrollOffset({200, 200});
    ASSERT_EQ(pane().scrollOffset(), QPoint(200, 200));
    header = &f.header();
    drag({30, 8}, -120, 0);
    EXPECT_EQ(f.contentLeft(), 180);
    EXPECT_EQ(f.contentTop(), 300);
}

TEST_F(FormDrag, ClosingAndReopeningRestoresThePlaceAfterTheScrollChanged) {
    VTContraption* low = preview->addEditor("TestGen", 60, 300);
    viewSize(160, 160);
    // A scroll offset off the grid must not pull the window off its place.
    pane().setScrollOffset({13, 187});
    ASSERT_EQ(pane().scrollOffset(), QPoint(13, 187));
    // In the view the window sits at its content place less the scroll offsets.
    EXPECT_EQ(formOf(*low).mapTo(pane().viewport(), QPoint()), QPoint(60 - 13, 300 - 187));
    low->formState().closeEditor();
    ASSERT_FALSE(low->formState().hasEditorWindow());
    EXPECT_EQ(low->formState().editorLeft(), 60);
    EXPECT_EQ(low->formState().editorTop(), 300);
    pane().setScrollOffset({0, 41});
    low->showEditor();
    ASSERT_TRUE(low->formState().hasEditorWindow());
    EXPECT_EQ(formOf(*low).contentLeft(), 60);
    EXPECT_EQ(formOf(*low).contentTop(), 300);
}

TEST_F(FormDrag, CloseButtonClosesAfterItsClickAndKeepsThePosition) {
    drag({30, 8}, 40, 20);
    QWidget* close = &form->header().closeButton();
    modified = 0;
    Press(close, {5, 5});
    Release(close, {5, 5});
    EXPECT_TRUE(c->formState().hasEditorWindow()) << "not destroyed inside its own click";
    QApplication::processEvents();
    EXPECT_FALSE(c->formState().hasEditorWindow());
    EXPECT_EQ(c->formState().editorLeft(), 140);
    EXPECT_EQ(c->formState().editorTop(), 60);
    EXPECT_GT(modified, 0);
}

TEST_F(FormDrag, APressAnywhereBringsTheWindowToTheFront) {
    VTContraption* other = preview->addEditor("TestGen", 120, 60);
    QWidget* content = pane().content();
    auto frontmost = [content] { return content->children().last(); };
    ASSERT_EQ(frontmost(), &formOf(*other));
    QWidget* knob = &static_cast<TTestGenForm&>(*form).VolumeKnobWidget();
    Press(knob, {5, 5});
    Release(knob, {5, 5});
    EXPECT_EQ(frontmost(), form);
}

TEST_F(FormDrag, ThePaneGrowsToHoldAWindowDraggedAway) {
    drag({30, 8}, 600, 400);
    const QRect g = form->geometry();
    EXPECT_GE(pane().content()->width(), g.right());
    EXPECT_GE(pane().content()->height(), g.bottom());
}

}  // namespace
}  // namespace vantrel::test

namespace vantrel::test {
namespace {

TEST(PaneLifetime, APaneGoingFirstLeavesItsWindowsToTheirContraptions) {
    auto pane = std::make_unique<VTPropertiesPane>();
    VTQtEditorFactory factory(*pane);
    factory.install();
    auto c = VTContraptionFactory::instance().createContraption("TestGen", "");
    c->showEditor();
    ASSERT_TRUE(c->formState().hasEditorWindow());
    // The window is the contraption's, not the pane's: the pane must not destroy it.
    pane.reset();
    ASSERT_TRUE(c->formState().hasEditorWindow());
    c->formState().closeEditor();
    // No pane, no window to put in it.
    c->showEditor();
    EXPECT_FALSE(c->formState().hasEditorWindow());
    c.reset();
}

}  // namespace
}  // namespace vantrel::test
