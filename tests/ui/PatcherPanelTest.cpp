#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Mouse.h"
#include "RecordingCanvas.h"
#include "ui/KDPatcherPanel.h"

using namespace mouse;

namespace {

// A 400 by 300 patcher with a host that grants the focus when asked.
struct Patcher : ::testing::Test {
    KDPatcherPanel panel{400, 300};
    RecordingHost host{&panel};
    std::vector<std::string> events;

    Patcher() {
        panel.SetHost(&host);
        panel.OnCreateConnection = [this](KDPatcherPanel&, KDPatcherConnection* c, bool&) {
            events.push_back("create " + c->Source()->Caption() + ":" +
                             std::to_string(c->OutletIndex()) + " -> " +
                             c->Destination()->Caption() + ":" + std::to_string(c->InletIndex()));
        };
        panel.OnDeleteConnection = [this](KDPatcherPanel&, KDPatcherConnection* c, bool&) {
            events.push_back("delete wire " + c->Source()->Caption() + "->" +
                             c->Destination()->Caption());
        };
        panel.OnDeleteNode = [this](KDPatcherPanel&, KDPatcherNode* n) {
            events.push_back("delete node " + n->Caption());
        };
    }

    // Points inside a node's zones.
    static KDPoint Body(const KDPatcherNode* n) { return {n->Left() + 3, n->Top() + 13}; }
    static KDPoint Outlet(const KDPatcherNode* n, int i) {
        return {n->Left() + 12 + 20 * i, n->Bottom() - 2};
    }
    static KDPoint Inlet(const KDPatcherNode* n, int i) {
        return {n->Left() + 12 + 20 * i, n->Top() + 2};
    }
    void DragFromTo(KDPoint a, KDPoint b, unsigned shift = 0) {
        Press(panel, a.x, a.y, shift);
        Move(panel, (a.x + b.x) / 2, (a.y + b.y) / 2);
        Move(panel, b.x, b.y);
        Release(panel, b.x, b.y, shift);
    }
};

}  // namespace

// ---- geometry and hit tests ------------------------------------------------------------------

TEST_F(Patcher, NodeSizeFollowsCaptionAndPorts) {
    // Text is 6 pixels a character and 13 high here: "ABCDE" is 30 pixels wide.
    KDPatcherNode* five = panel.AddNode(10, 10, "ABCDE", 5, 0, nullptr);
    KDPatcherNode* one = panel.AddNode(10, 100, "ABCDE", 1, 1, nullptr);
    EXPECT_EQ(five->Right() - five->Left(), 104);
    EXPECT_EQ(one->Right() - one->Left(), 44);
    EXPECT_EQ(one->Bottom() - one->Top(), 27);
    EXPECT_EQ(one->InletPoint(0), (KDPoint{22, 99}));
    EXPECT_EQ(one->OutletPoint(0), (KDPoint{22, 127}));
    EXPECT_EQ(five->InletPoint(4), (KDPoint{102, 9}));
}

TEST_F(Patcher, ZonesOfANode) {
    KDPatcherNode* n = panel.AddNode(10, 10, "ABCDE", 2, 1, nullptr);
    struct Case {
        int dx, dy;
        KDNodeZone zone;
        int index;
    } cases[] = {
        {12, 5, KDNodeZone::Inlet, 0},  // 5 pixels below the top: still the inlet band
        {12, 6, KDNodeZone::Body, -1},  // 6 below: the body
        {32, 0, KDNodeZone::Inlet, 1},
        {42, 2, KDNodeZone::Body, -1},    // inlet band right of the last inlet
        {12, 22, KDNodeZone::Outlet, 0},  // bottom - 5
        {12, 21, KDNodeZone::Body, -1},
        {30, 26, KDNodeZone::Body, -1},  // outlet band right of the only outlet
        {44, 10, KDNodeZone::None, -1},  // the right edge is outside
        {12, 27, KDNodeZone::None, -1},
    };
    for (const Case& c : cases) {
        const KDNodeHit hit = n->HitTest(10 + c.dx, 10 + c.dy);
        EXPECT_EQ(hit.zone, c.zone) << c.dx << "," << c.dy;
        EXPECT_EQ(hit.index, c.index) << c.dx << "," << c.dy;
    }
}

TEST_F(Patcher, PressInInletBandBeyondLastInletDragsTheNode) {
    KDPatcherNode* n = panel.AddNode(10, 10, "ABCDE", 1, 1, nullptr);
    Press(panel, 10 + 35, 12);
    EXPECT_TRUE(panel.DraggingNodes());
    EXPECT_FALSE(panel.DraggingConnection());
    Move(panel, 10 + 45, 22);
    Release(panel, 10 + 45, 22);
    EXPECT_EQ(n->Left(), 20);
    EXPECT_EQ(n->Top(), 20);
}

TEST_F(Patcher, OverlapTakesTopNodeButNodeIndexAtTakesOldest) {
    KDPatcherNode* a = panel.AddNode(10, 10, "ABCDE", 0, 0, nullptr);
    KDPatcherNode* b = panel.AddNode(30, 20, "ABCDE", 0, 0, nullptr);
    KDPatcherNode* c = panel.AddNode(200, 200, "ABCDE", 0, 0, nullptr);
    const int x = 40, y = 30;  // inside both a and b
    EXPECT_EQ(panel.NodeIndexAt(x, y), 0);
    Press(panel, x, y);
    Release(panel, x, y);
    EXPECT_EQ(panel.Nodes(2), b);  // brought to the front
    EXPECT_EQ(panel.Nodes(0), a);
    EXPECT_EQ(panel.Nodes(1), c);
    ASSERT_EQ(panel.SelectedNodeCount(), 1);
    EXPECT_EQ(panel.SelectedNode(0), b);
    EXPECT_EQ(panel.NodeIndexAt(x, y), 0);  // the owner's lookup still finds the oldest
}

TEST_F(Patcher, ConnectionHitTest) {
    KDPatcherNode* a = panel.AddNode(38, 10, "A", 0, 1, nullptr);
    KDPatcherNode* b = panel.AddNode(38, 150, "A", 1, 0, nullptr);
    KDPatcherConnection* down = panel.AddConnection(a, 0, b, 0);  // (50,37) to (50,149)
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(down->StartPoint(), (KDPoint{50, 37}));
    EXPECT_EQ(down->EndPoint(), (KDPoint{50, 149}));
    EXPECT_TRUE(down->HitTest(50, 100));
    EXPECT_TRUE(down->HitTest(52, 100));
    EXPECT_FALSE(down->HitTest(53, 100));
    EXPECT_TRUE(down->HitTest(50, 36));  // strictly inside y1 - 2 .. y2 + 2
    EXPECT_FALSE(down->HitTest(50, 35));
    EXPECT_FALSE(down->HitTest(50, 151));

    // A wire running upward is hit anywhere in the box of its ends.
    KDPatcherNode* c = panel.AddNode(100, 200, "A", 0, 1, nullptr);
    KDPatcherNode* d = panel.AddNode(200, 100, "A", 1, 0, nullptr);
    KDPatcherConnection* up = panel.AddConnection(c, 0, d, 0);  // (112,227) to (212,99)
    EXPECT_TRUE(up->HitTest(112, 150));
    EXPECT_TRUE(up->HitTest(212, 150));
    EXPECT_FALSE(up->HitTest(213, 150));
}

// ---- drawing connections -----------------------------------------------------------------------

TEST_F(Patcher, DraggingFromOutletToInletCreatesConnection) {
    KDPatcherNode* src = panel.AddNode(10, 10, "Src", 0, 2, nullptr);
    KDPatcherNode* dst = panel.AddNode(100, 120, "Dst", 3, 0, nullptr);
    DragFromTo(Outlet(src, 1), Inlet(dst, 2));
    ASSERT_EQ(panel.ConnectionCount(), 1);
    KDPatcherConnection* c = panel.Connections(0);
    EXPECT_EQ(c->Source(), src);
    EXPECT_EQ(c->OutletIndex(), 1);
    EXPECT_EQ(c->Destination(), dst);
    EXPECT_EQ(c->InletIndex(), 2);
    EXPECT_TRUE(c->Attached());
    EXPECT_EQ(c->StartPoint(), src->OutletPoint(1));
    EXPECT_EQ(c->EndPoint(), dst->InletPoint(2));
    EXPECT_EQ(events, std::vector<std::string>{"create Src:1 -> Dst:2"});
    EXPECT_TRUE(panel.Modified());

    // The wire is drawn from the outlet's point to the inlet's point.
    RecordingCanvas canvas;
    panel.Paint(canvas);
    bool drawn = false;
    for (const auto& l : canvas.Of(RecordingCanvas::Op::Line))
        drawn |= l.a == src->OutletPoint(1) && l.b == dst->InletPoint(2);
    EXPECT_TRUE(drawn);
}

TEST_F(Patcher, DraggingFromInletToOutletConnectsOutletToInlet) {
    KDPatcherNode* src = panel.AddNode(10, 10, "Src", 0, 1, nullptr);
    KDPatcherNode* dst = panel.AddNode(100, 120, "Dst", 1, 0, nullptr);
    DragFromTo(Inlet(dst, 0), Outlet(src, 0));
    ASSERT_EQ(panel.ConnectionCount(), 1);
    EXPECT_EQ(panel.Connections(0)->Source(), src);
    EXPECT_EQ(panel.Connections(0)->Destination(), dst);
}

TEST_F(Patcher, ConnectionDragsThatCreateNothing) {
    KDPatcherNode* a = panel.AddNode(10, 10, "A", 1, 1, nullptr);
    KDPatcherNode* b = panel.AddNode(100, 120, "B", 1, 1, nullptr);
    DragFromTo(Outlet(a, 0), Outlet(b, 0));  // outlet to outlet
    DragFromTo(Outlet(a, 0), {300, 250});    // to empty space
    DragFromTo(Outlet(a, 0), Inlet(a, 0));   // to its own node
    DragFromTo(Inlet(a, 0), Inlet(b, 0));    // inlet to inlet
    EXPECT_EQ(panel.ConnectionCount(), 0);
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(panel.DraggingConnection());
}

TEST_F(Patcher, LeavingAPortForOneThatMayNotTakeTheWireDropsTheHighlight) {
    KDPatcherNode* a = panel.AddNode(10, 10, "A", 1, 1, nullptr);
    KDPatcherNode* b = panel.AddNode(100, 120, "B", 1, 1, nullptr);
    const KDPoint from = Outlet(a, 0), good = Inlet(b, 0), own = Inlet(a, 0);
    Press(panel, from.x, from.y);
    Move(panel, good.x, good.y);
    EXPECT_EQ(panel.HighlightNode(), b);
    EXPECT_EQ(panel.HighlightInlet(), 0);
    // Over the dragging node's own inlet, which may not take the wire: no highlight stays
    // behind on b, so the release creates nothing.
    Move(panel, own.x, own.y);
    EXPECT_EQ(panel.HighlightInlet(), -1);
    Release(panel, own.x, own.y);
    EXPECT_EQ(panel.ConnectionCount(), 0);
}

TEST_F(Patcher, CancelledAndRepeatedConnections) {
    KDPatcherNode* a = panel.AddNode(10, 10, "A", 0, 1, nullptr);
    KDPatcherNode* b = panel.AddNode(100, 120, "B", 1, 0, nullptr);
    bool refuse = true;
    panel.OnCreateConnection = [&](KDPatcherPanel&, KDPatcherConnection*, bool& cancel) {
        cancel = refuse;
    };
    DragFromTo(Outlet(a, 0), Inlet(b, 0));
    EXPECT_EQ(panel.ConnectionCount(), 0);
    EXPECT_TRUE(a->Connections().empty());
    refuse = false;
    DragFromTo(Outlet(a, 0), Inlet(b, 0));
    DragFromTo(Outlet(a, 0), Inlet(b, 0));
    EXPECT_EQ(panel.ConnectionCount(), 2);  // the same wire twice gives two wires
    EXPECT_EQ(a->Connections().size(), 2u);
    EXPECT_EQ(b->Connections().size(), 2u);
}

TEST_F(Patcher, AddConnectionRefusesPortsTheNodesDoNotHave) {
    KDPatcherNode* a = panel.AddNode(10, 10, "A", 0, 1, nullptr);
    KDPatcherNode* b = panel.AddNode(100, 120, "B", 2, 0, nullptr);
    EXPECT_EQ(panel.AddConnection(a, 1, b, 0), nullptr);
    EXPECT_EQ(panel.AddConnection(a, 0, b, 2), nullptr);
    EXPECT_EQ(panel.AddConnection(a, -1, b, 0), nullptr);
    EXPECT_EQ(panel.AddConnection(nullptr, 0, b, 0), nullptr);
    EXPECT_NE(panel.AddConnection(a, 0, b, 1), nullptr);
    EXPECT_TRUE(events.empty());  // adding fires nothing
}

// ---- deletion ----------------------------------------------------------------------------------

TEST_F(Patcher, DeletingANodeReportsItsConnectionsFirst) {
    KDPatcherNode* a = panel.AddNode(10, 10, "A", 1, 1, nullptr);
    KDPatcherNode* b = panel.AddNode(100, 120, "B", 1, 1, nullptr);
    KDPatcherNode* c = panel.AddNode(200, 10, "C", 1, 1, nullptr);
    panel.AddConnection(a, 0, b, 0);
    panel.AddConnection(b, 0, c, 0);
    panel.AddConnection(c, 0, a, 0);
    EXPECT_TRUE(panel.RemoveNode(b));
    EXPECT_EQ(events,
              (std::vector<std::string>{"delete wire A->B", "delete wire B->C", "delete node B"}));
    EXPECT_EQ(panel.NodeCount(), 2);
    EXPECT_EQ(panel.ConnectionCount(), 1);
    EXPECT_EQ(a->Connections().size(), 1u);
}

TEST_F(Patcher, RefusedConnectionDeletionKeepsItsNode) {
    KDPatcherNode* a = panel.AddNode(10, 10, "A", 1, 1, nullptr);
    KDPatcherNode* b = panel.AddNode(100, 120, "B", 1, 1, nullptr);
    panel.AddConnection(a, 0, b, 0);
    panel.OnDeleteConnection = [](KDPatcherPanel&, KDPatcherConnection*, bool& cancel) {
        cancel = true;
    };
    EXPECT_FALSE(panel.RemoveNode(b));
    EXPECT_EQ(panel.NodeCount(), 2);
    ASSERT_EQ(panel.ConnectionCount(), 1);
    EXPECT_EQ(panel.Connections(0)->Destination(), b);
}

TEST_F(Patcher, DeleteKeyRemovesSelectionAndCtrlASelectsNodes) {
    KDPatcherNode* a = panel.AddNode(10, 10, "A", 1, 1, nullptr);
    KDPatcherNode* b = panel.AddNode(100, 120, "B", 1, 1, nullptr);
    panel.AddNode(200, 10, "C", 1, 1, nullptr);
    panel.AddConnection(a, 0, b, 0);
    Char(panel, U'a', ssCtrl);
    EXPECT_EQ(panel.SelectedNodeCount(), 3);
    EXPECT_EQ(panel.SelectedConnectionCount(), 0);

    // Select the wire alone by clicking it, then delete it.
    const KDPoint mid{(a->OutletPoint(0).x + b->InletPoint(0).x) / 2,
                      (a->OutletPoint(0).y + b->InletPoint(0).y) / 2};
    Press(panel, mid.x, mid.y);
    Release(panel, mid.x, mid.y);
    EXPECT_EQ(panel.SelectedNodeCount(), 0);
    ASSERT_EQ(panel.SelectedConnectionCount(), 1);
    Key(panel, KDKey::Delete);
    EXPECT_EQ(panel.ConnectionCount(), 0);
    EXPECT_EQ(panel.NodeCount(), 3);

    panel.SelectAll();
    Key(panel, KDKey::Delete);
    EXPECT_EQ(panel.NodeCount(), 0);
    EXPECT_EQ(events.size(), 4u);  // the wire, then three nodes
}

TEST_F(Patcher, ClearRemovesEverythingWithEvents) {
    KDPatcherNode* a = panel.AddNode(10, 10, "A", 1, 1, nullptr);
    KDPatcherNode* b = panel.AddNode(100, 120, "B", 1, 1, nullptr);
    panel.AddConnection(a, 0, b, 0);
    panel.Clear();
    EXPECT_EQ(panel.NodeCount(), 0);
    EXPECT_EQ(panel.ConnectionCount(), 0);
    EXPECT_EQ(panel.SelectedNodeCount(), 0);
    EXPECT_EQ(events,
              (std::vector<std::string>{"delete wire A->B", "delete node A", "delete node B"}));
}

// ---- selection ---------------------------------------------------------------------------------

TEST_F(Patcher, ShiftClickTogglesNodes) {
    KDPatcherNode* a = panel.AddNode(10, 10, "A", 0, 0, nullptr);
    KDPatcherNode* b = panel.AddNode(100, 10, "B", 0, 0, nullptr);
    auto click = [&](KDPatcherNode* n, unsigned shift) {
        Press(panel, Body(n).x, Body(n).y, shift);
        Release(panel, Body(n).x, Body(n).y, shift);
    };
    click(a, 0);
    click(b, ssShift);
    EXPECT_EQ(panel.SelectedNodeCount(), 2);
    EXPECT_FALSE(panel.DraggingNodes());
    click(a, ssShift);  // one of several: deselected
    ASSERT_EQ(panel.SelectedNodeCount(), 1);
    EXPECT_EQ(panel.SelectedNode(0), b);
    click(b, ssShift);  // the only selected node stays selected
    EXPECT_EQ(panel.SelectedNodeCount(), 1);
    click(a, 0);
    ASSERT_EQ(panel.SelectedNodeCount(), 1);
    EXPECT_EQ(panel.SelectedNode(0), a);
}

TEST_F(Patcher, ShiftClickTogglesConnections) {
    KDPatcherNode* a = panel.AddNode(10, 10, "A", 0, 1, nullptr);
    KDPatcherNode* b = panel.AddNode(10, 150, "B", 1, 0, nullptr);
    KDPatcherConnection* c = panel.AddConnection(a, 0, b, 0);
    Press(panel, 22, 90, ssShift);
    Release(panel, 22, 90, ssShift);
    EXPECT_TRUE(c->Selected());
    EXPECT_TRUE(b->Selected()) << "Shift keeps the nodes selected";
    EXPECT_FALSE(a->Selected());
    Press(panel, 22, 90, ssShift);
    Release(panel, 22, 90, ssShift);
    EXPECT_FALSE(c->Selected());
}

TEST_F(Patcher, PressOnEmptySpaceClearsSelectionOnlyWhenFocused) {
    KDPatcherNode* a = panel.AddNode(10, 10, "A", 0, 0, nullptr);
    ASSERT_FALSE(panel.Focused());
    Press(panel, 300, 250);
    Release(panel, 300, 250);
    EXPECT_TRUE(panel.Focused());
    EXPECT_TRUE(a->Selected()) << "the press that brought the focus keeps the selection";
    Press(panel, 300, 250);
    Release(panel, 300, 250);
    EXPECT_FALSE(a->Selected());
}

TEST_F(Patcher, RubberBandSelectsOverlappedNodes) {
    KDPatcherNode* a = panel.AddNode(20, 20, "A", 0, 0, nullptr);
    KDPatcherNode* b = panel.AddNode(200, 20, "B", 0, 0, nullptr);
    panel.SetFocused(true);
    Press(panel, 100, 100);
    EXPECT_TRUE(panel.RubberBanding());
    EXPECT_EQ(panel.SelectedNodeCount(), 0);
    Move(panel, 30, 30);
    EXPECT_TRUE(a->Selected());
    EXPECT_FALSE(b->Selected());
    {
        RecordingCanvas canvas;
        panel.Paint(canvas);
        const auto band = canvas.Of(RecordingCanvas::Op::XorLine);
        ASSERT_EQ(band.size(), 4u);
        EXPECT_EQ(band[0].color, (KDColor{128, 128, 128}));
    }
    Move(panel, 300, 30);  // now over b only
    EXPECT_FALSE(a->Selected());
    EXPECT_TRUE(b->Selected());
    Move(panel, 30, 47);  // touching a's bottom edge only: no area in common
    EXPECT_FALSE(a->Selected());
    Release(panel, 30, 47);
    EXPECT_FALSE(panel.RubberBanding());
    RecordingCanvas after;
    panel.Paint(after);
    EXPECT_TRUE(after.Of(RecordingCanvas::Op::XorLine).empty());
}

TEST_F(Patcher, SelectionColoursDependOnFocus) {
    KDPatcherNode* a = panel.AddNode(10, 10, "A", 0, 1, nullptr);
    KDPatcherNode* b = panel.AddNode(10, 150, "B", 1, 0, nullptr);
    KDPatcherConnection* c = panel.AddConnection(a, 0, b, 0);
    Press(panel, 22, 90, ssShift);  // also selects the wire, and focuses the panel
    Release(panel, 22, 90, ssShift);
    ASSERT_TRUE(c->Selected() && b->Selected() && panel.Focused());
    auto wireWidth = [&](const RecordingCanvas& canvas) {
        for (const auto& l : canvas.Of(RecordingCanvas::Op::Line))
            if (l.a == c->StartPoint() && l.b == c->EndPoint()) return l.width;
        return 0;
    };
    auto filled = [&](const RecordingCanvas& canvas, KDColor colour) {
        for (const auto& r : canvas.Of(RecordingCanvas::Op::FillRect))
            if (r.rect.left == b->Left() && r.rect.top == b->Top() + 4 && r.color == colour)
                return true;
        return false;
    };
    RecordingCanvas focused;
    panel.Paint(focused);
    EXPECT_EQ(wireWidth(focused), 2);
    EXPECT_TRUE(filled(focused, RecordingCanvas::kHighlight));
    panel.SetFocused(false);
    RecordingCanvas unfocused;
    panel.Paint(unfocused);
    EXPECT_EQ(wireWidth(unfocused), 1);
    EXPECT_FALSE(filled(unfocused, RecordingCanvas::kHighlight));
    EXPECT_TRUE(filled(unfocused, RecordingCanvas::kBtnFace));
}

// ---- moving ------------------------------------------------------------------------------------

TEST_F(Patcher, DraggingMovesEverySelectedNodeAndTheirWires) {
    KDPatcherNode* a = panel.AddNode(10, 10, "A", 0, 1, nullptr);
    KDPatcherNode* b = panel.AddNode(100, 150, "B", 1, 0, nullptr);
    KDPatcherNode* still = panel.AddNode(300, 10, "C", 0, 0, nullptr);
    KDPatcherConnection* c = panel.AddConnection(a, 0, b, 0);
    panel.SelectAll();
    panel.SetModified(false);
    int moveEvents = 0;
    panel.OnMouseMove = [&](KDControl&, const KDMouseEvent&) { ++moveEvents; };
    Press(panel, 300 + 5, 10 + 12);  // on C, selected: the selection stays
    Release(panel, 305, 22);
    ASSERT_EQ(panel.SelectedNodeCount(), 1) << "a click without moving selects that node only";
    EXPECT_EQ(panel.SelectedNode(0), still);

    panel.SelectAll();
    const KDPoint grip = Body(a);
    Press(panel, grip.x, grip.y);
    Move(panel, grip.x + 10, grip.y + 3);
    Move(panel, grip.x + 15, grip.y + 7);
    Release(panel, grip.x + 15, grip.y + 7);
    EXPECT_EQ(moveEvents, 0) << "a node drag keeps its moves to itself";
    EXPECT_EQ((KDPoint{a->Left(), a->Top()}), (KDPoint{25, 17}));
    EXPECT_EQ((KDPoint{b->Left(), b->Top()}), (KDPoint{115, 157}));
    EXPECT_EQ((KDPoint{still->Left(), still->Top()}), (KDPoint{315, 17}));
    EXPECT_EQ(c->StartPoint(), a->OutletPoint(0));
    EXPECT_EQ(c->EndPoint(), b->InletPoint(0));
    EXPECT_TRUE(panel.Modified());
    EXPECT_EQ(panel.SelectedNodeCount(), 3);
}

// ---- scrolling ---------------------------------------------------------------------------------

TEST_F(Patcher, ScrollRangeAppearsAfterANodeIsDraggedOffTheEdge) {
    KDPatcherNode* n = panel.AddNode(10, 10, "A", 0, 0, nullptr);
    EXPECT_FALSE(panel.HorzScrollBar.Enabled());
    EXPECT_FALSE(panel.VertScrollBar.Enabled());
    EXPECT_EQ(panel.Extent(), (KDRect{0, 0, 400, 300}));

    Press(panel, Body(n).x, Body(n).y);
    Move(panel, Body(n).x + 400, Body(n).y);
    EXPECT_FALSE(panel.HorzScrollBar.Enabled()) << "the range follows only on release";
    Release(panel, Body(n).x + 400, Body(n).y);
    EXPECT_TRUE(panel.HorzScrollBar.Enabled());
    EXPECT_EQ(panel.Extent().right, n->Right() + 3);
    EXPECT_EQ(panel.HorzScrollBar.Max(), n->Right() + 3);
    EXPECT_EQ(panel.HorzScrollBar.Page(), 401);
    EXPECT_FALSE(panel.HorzScrollBar.LowArrowEnabled());

    // "End" brings the far edge into view by moving the content.
    const int right = n->Right();
    panel.Scroll(KDScrollBarKind::Horizontal, KDScrollCode::Bottom);
    EXPECT_EQ(panel.Extent().right, 400);
    EXPECT_EQ(n->Right(), right - (right + 3 - 400));
    EXPECT_EQ(panel.HorzScrollBar.Position(), panel.HorzScrollBar.MaxPosition());
    EXPECT_FALSE(panel.HorzScrollBar.HighArrowEnabled());
    panel.Scroll(KDScrollBarKind::Horizontal, KDScrollCode::Top);
    EXPECT_EQ(n->Right(), right);
}

TEST_F(Patcher, ScrollingMovesNodesAndWires) {
    KDPatcherNode* a = panel.AddNode(10, 10, "A", 0, 1, nullptr);
    KDPatcherNode* b = panel.AddNode(10, 500, "B", 1, 0, nullptr);
    KDPatcherConnection* c = panel.AddConnection(a, 0, b, 0);
    ASSERT_TRUE(panel.VertScrollBar.Enabled());
    panel.Scroll(KDScrollBarKind::Vertical, KDScrollCode::LineDown);
    EXPECT_EQ(a->Top(), 2);
    EXPECT_EQ(c->EndPoint(), b->InletPoint(0));
    panel.Scroll(KDScrollBarKind::Vertical, KDScrollCode::PageDown);
    EXPECT_EQ(b->Bottom() + 3, 300) << "a page further is limited to the end";
    panel.Scroll(KDScrollBarKind::Vertical, KDScrollCode::LineUp);
    EXPECT_EQ(b->Bottom() + 3, 308);
    panel.Scroll(KDScrollBarKind::Vertical, KDScrollCode::ThumbTrack, 0);
    EXPECT_EQ(b->Bottom() + 3, 308) << "tracking is off";
    panel.Scroll(KDScrollBarKind::Vertical, KDScrollCode::ThumbPosition, 0);
    EXPECT_EQ(a->Top(), 10);
}
