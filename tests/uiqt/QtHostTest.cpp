// The Qt hosts under Qt's offscreen platform: real QWidgets driven by QTest's mouse and key
// events, checked through the controls' state and the grabbed image.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include "support/QtTestEnvironment.h"
#include "ui/KDDWKnob.h"
#include "ui/KDNumberEdit.h"
#include "ui/KDPianoKeyboard.h"
#include "ui/qt/KDQtHosted.h"
#include "ui/qt/KDQtPatcherWidget.h"
#include "ui/qt/KDQtPatternedScrollBox.h"
#include "ui/qt/KDQtWinSplit.h"

namespace {

const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new vantrel::test::QtTestEnvironment);

void Show(QWidget& w) {
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
}

// A move with the left button held, as the window system sends it during a drag.
void DragMove(QWidget* w, QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QMouseEvent e(QEvent::MouseMove, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::NoButton,
                  Qt::LeftButton, mods);
    QApplication::sendEvent(w, &e);
}

// Colours compared as 8-bit RGB, the way they reach the screen.
QRgb Pixel(QWidget* w, QPoint p) { return w->grab().toImage().pixelColor(p).rgb(); }

}  // namespace

TEST(QtPatcher, NodeAppearsWhereItWasAdded) {
    KDQtPatcherWidget patcher;
    patcher.resize(400, 300);
    Show(patcher);
    KDPatcherPanel& panel = patcher.Panel();
    KDPatcherNode* n = panel.AddNode(50, 60, "Node", 1, 1, nullptr);
    panel.ClearSelection();
    QWidget* view = patcher.Viewport();
    const QPalette pal = view->palette();
    EXPECT_GT(n->Right() - n->Left(), 30) << "sized from the real font";
    EXPECT_EQ(Pixel(view, QPoint(n->Left() + 3, n->Top() + 12)), pal.color(QPalette::Button).rgb());
    EXPECT_EQ(Pixel(view, QPoint(n->Left(), n->Top() + 12)), pal.color(QPalette::Dark).rgb());
    EXPECT_EQ(Pixel(view, QPoint(n->Left() - 2, n->Top() + 12)), pal.color(QPalette::Base).rgb());
    EXPECT_EQ(Pixel(view, QPoint(300, 250)), pal.color(QPalette::Base).rgb());
}

TEST(QtPatcher, MouseDragsMoveNodesAndDrawWires) {
    KDQtPatcherWidget patcher;
    patcher.resize(400, 300);
    Show(patcher);
    KDPatcherPanel& panel = patcher.Panel();
    KDPatcherNode* a = panel.AddNode(20, 20, "Source", 0, 1, nullptr);
    KDPatcherNode* b = panel.AddNode(150, 150, "Sink", 1, 0, nullptr);
    int created = 0;
    panel.OnCreateConnection = [&](KDPatcherPanel&, KDPatcherConnection*, bool&) { ++created; };
    QWidget* view = patcher.Viewport();

    // Drag a by its body 30 right and 10 down.
    const QPoint grip(a->Left() + 4, a->Top() + 12);
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, grip);
    DragMove(view, grip + QPoint(15, 5));
    DragMove(view, grip + QPoint(30, 10));
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, grip + QPoint(30, 10));
    EXPECT_EQ(a->Left(), 50);
    EXPECT_EQ(a->Top(), 30);
    EXPECT_TRUE(view->hasFocus()) << "a press focuses the patcher";

    // Wire a's outlet to b's inlet.
    const QPoint from(a->OutletPoint(0).x, a->Bottom() - 2);
    const QPoint to(b->InletPoint(0).x, b->Top() + 2);
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, from);
    DragMove(view, (from + to) / 2);
    DragMove(view, to);
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, to);
    EXPECT_EQ(created, 1);
    ASSERT_EQ(panel.ConnectionCount(), 1);
    // The wire is drawn: the pixel half way along it is the text colour.
    const KDPoint s = panel.Connections(0)->StartPoint(), e = panel.Connections(0)->EndPoint();
    const QImage image = view->grab().toImage();
    const QRgb ink = view->palette().color(QPalette::Text).rgb();
    bool found = false;
    const int my = (s.y + e.y) / 2;
    for (int x = std::min(s.x, e.x); x <= std::max(s.x, e.x); ++x)
        found |= image.pixelColor(x, my).rgb() == ink;
    EXPECT_TRUE(found);

    // Delete the selection from the keyboard: Ctrl+A, Delete.
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(panel.NodeCount(), 0);
}

TEST(QtPatcher, ScrollBarsFollowTheContent) {
    KDQtPatcherWidget patcher;
    patcher.resize(400, 300);
    Show(patcher);
    KDPatcherPanel& panel = patcher.Panel();
    QScrollBar* bar = patcher.HorizontalBar();
    KDPatcherNode* still = panel.AddNode(20, 20, "Still", 0, 0, nullptr);
    KDPatcherNode* n = panel.AddNode(20, 100, "Node", 0, 0, nullptr);
    EXPECT_FALSE(bar->isEnabled());
    EXPECT_TRUE(bar->isVisible()) << "the bar stays, disabled";
    QWidget* view = patcher.Viewport();
    const QPoint grip(n->Left() + 4, n->Top() + 12);
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, grip);
    DragMove(view, grip + QPoint(view->width(), 0));
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, grip + QPoint(view->width(), 0));
    EXPECT_TRUE(bar->isEnabled());
    const int right = n->Right();
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(n->Right() + 3, view->width()) << "the content moved, not an offset";
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(bar->isEnabled()) << "the node left behind keeps the range";
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(n->Right() + 3, view->width() + 8);
    // Back to the start: the extent is the content's, so the leftmost node ends up 3 pixels
    // from the edge.
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(still->Left(), 3);
    EXPECT_EQ(n->Right(), right - 17);
    EXPECT_EQ(bar->value(), 0);
}

TEST(QtKnob, DragReportsTheNewValueThroughOnChange) {
    KDQtHosted<KDDWKnob> knob;
    knob.resize(40, 40);
    Show(knob);
    double reported = -1;
    knob.control().OnChange = [&](KDDWKnob&, double v) { reported = v; };
    QTest::mousePress(&knob, Qt::LeftButton, Qt::NoModifier, QPoint(20, 30));
    DragMove(&knob, QPoint(20, 10));
    QTest::mouseRelease(&knob, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
    EXPECT_NEAR(reported, 0.2, 1e-12);
    EXPECT_NEAR(knob.control().Value(), 0.2, 1e-12);

    QTest::mousePress(&knob, Qt::LeftButton, Qt::ControlModifier, QPoint(20, 30));
    DragMove(&knob, QPoint(20, 10), Qt::ControlModifier);
    QTest::mouseRelease(&knob, Qt::LeftButton, Qt::ControlModifier, QPoint(20, 10));
    EXPECT_NEAR(reported, 0.22, 1e-12) << "Ctrl drags ten times finer";
}

TEST(QtNumberEdit, KeysAndTheDragButton) {
    KDQtHosted<KDNumberEdit> edit;
    edit.resize(80, 21);
    Show(edit);
    KDNumberEdit& e = edit.control();
    e.SetMin(1);
    e.SetMax(240);
    e.SetValue(120);
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(e.Text(), "122.0");
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&edit, "9x9");
    EXPECT_EQ(e.Text(), "99");
    EXPECT_EQ(e.Value(), 99);

    const QPoint button(75, 10);
    QTest::mousePress(&edit, Qt::LeftButton, Qt::NoModifier, button);
    EXPECT_EQ(edit.cursor().shape(), Qt::SizeVerCursor);
    DragMove(&edit, button - QPoint(0, 3));
    QTest::mouseRelease(&edit, Qt::LeftButton, Qt::NoModifier, button - QPoint(0, 3));
    EXPECT_EQ(e.Value(), 104);
    EXPECT_EQ(edit.cursor().shape(), Qt::ArrowCursor);
}

TEST(QtKeyboard, AutoSizeSetsTheWidgetWidth) {
    KDQtHosted<KDPianoKeyboard> keys;
    keys.resize(300, 65);
    Show(keys);
    keys.control().SetBottomKey(12);
    keys.control().SetKeyRange(65);
    keys.control().SetAutoSize(true);
    EXPECT_EQ(keys.width(), 383);
    EXPECT_EQ(keys.control().Width(), 383);
    QTest::mouseClick(&keys, Qt::LeftButton, Qt::NoModifier, QPoint(15, 55));
    EXPECT_EQ(keys.control().SelectedKey(), 14);
    EXPECT_EQ(Pixel(&keys, QPoint(15, 55)), keys.palette().color(QPalette::Highlight).rgb());
}

TEST(QtWinSplit, DraggingResizesTheTargetOnRelease) {
    QWidget window;
    auto* h = new QHBoxLayout(&window);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(0);
    auto* pane = new QWidget;
    auto* split = new KDQtWinSplit;
    auto* rest = new QWidget;
    h->addWidget(pane);
    h->addWidget(split);
    h->addWidget(rest, 1);
    pane->setFixedWidth(100);
    ASSERT_TRUE(split->SetTarget(pane, alLeft));
    split->control().SetMinTargetSize(30);
    window.resize(400, 200);
    Show(window);
    EXPECT_EQ(split->width(), 3);
    QTest::mousePress(split, Qt::LeftButton, Qt::NoModifier, QPoint(1, 50));
    DragMove(split, QPoint(41, 50));
    EXPECT_EQ(pane->width(), 100) << "only the line moves during the drag";
    DragMove(split, QPoint(-200, 50));  // far too narrow: the line stays
    EXPECT_EQ(split->control().CandidateSize(), 140);
    QTest::mouseRelease(split, Qt::LeftButton, Qt::NoModifier, QPoint(-200, 50));
    EXPECT_EQ(pane->width(), 140);
    EXPECT_FALSE(split->control().Splitting());

    delete pane;  // the target going away leaves the splitter without one
    EXPECT_EQ(split->Target(), nullptr);
    EXPECT_EQ(split->control().TargetControl(), nullptr);
}

TEST(QtPatternedScrollBox, TilesShowBehindTheContent) {
    KDQtPatternedScrollBox box;
    QImage tile(20, 10, QImage::Format_ARGB32);
    tile.fill(QColor(10, 200, 30));
    for (int y = 0; y < 10; ++y) tile.setPixelColor(0, y, QColor(200, 10, 30));  // left edge
    box.SetTile(tile);
    box.SetTileShiftPercent(50);
    auto* content = new QWidget;
    content->setFixedSize(300, 300);
    box.SetContent(content);
    box.resize(150, 150);
    Show(box);
    const QImage image = box.viewport()->grab().toImage();
    // Marker at (-10, -10), tiles 10 high: the row at y = 0..10 is the second, shifted by
    // half a tile, so its left edges lie at x = 0, 20, ...; the next row's at 10, 30, ...
    auto at = [](const QImage& i, int x, int y) { return i.pixelColor(x, y).rgb(); };
    const QRgb edge = qRgb(200, 10, 30), face = qRgb(10, 200, 30);
    EXPECT_EQ(at(image, 20, 5), edge);
    EXPECT_EQ(at(image, 21, 5), face);
    EXPECT_EQ(at(image, 10, 5), face);
    EXPECT_EQ(at(image, 10, 15), edge);
    EXPECT_EQ(at(image, 20, 15), face);

    // Scrolling down by a row moves the pattern with the content.
    box.verticalScrollBar()->setValue(10);
    QApplication::processEvents();
    const QImage scrolled = box.viewport()->grab().toImage();
    EXPECT_EQ(at(scrolled, 10, 5), edge);
    EXPECT_EQ(at(scrolled, 20, 5), face);
}
