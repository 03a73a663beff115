#include "ui/KDPatcherPanel.h"

#include <algorithm>

KDPatcherPanel::KDPatcherPanel(int width, int height) : KDScrollingCanvas(width, height) {
    Color = kdcolors::White;
}

// The owner's events are not told about nodes that go with the panel.
KDPatcherPanel::~KDPatcherPanel() = default;

// ---- the lists -------------------------------------------------------------------------------

KDPatcherPanel::NodeList::iterator KDPatcherPanel::FindNode(const KDPatcherNode* n) {
    return std::find_if(nodes_.begin(), nodes_.end(), [n](const auto& p) { return p.get() == n; });
}

void KDPatcherPanel::ReserveSelection() {
    // The selection lists grow while the rubber band moves; keep room for everything so a mouse
    // move never allocates.
    selectedNodes_.reserve(nodes_.size());
    selectedConnections_.reserve(connections_.size());
}

KDPatcherNode* KDPatcherPanel::AddNode(int x, int y, const std::string& caption, int inletCount,
                                       int outletCount, void* data) {
    nodes_.push_back(
        std::make_unique<KDPatcherNode>(this, x, y, caption, inletCount, outletCount, data));
    KDPatcherNode* n = nodes_.back().get();
    n->UpdateSize(Metrics());
    ReserveSelection();
    SelectOnlyNode(n);
    modified_ = true;
    UpdateExtent();
    Invalidate();
    return n;
}

KDPatcherConnection* KDPatcherPanel::AddConnection(KDPatcherNode* source, int outletIndex,
                                                   KDPatcherNode* destination, int inletIndex) {
    if (!source || !destination || FindNode(source) == nodes_.end() ||
        FindNode(destination) == nodes_.end())
        return nullptr;
    if (outletIndex < 0 || outletIndex >= source->OutletCount() || inletIndex < 0 ||
        inletIndex >= destination->InletCount())
        return nullptr;
    connections_.push_back(
        std::make_unique<KDPatcherConnection>(source, outletIndex, destination, inletIndex));
    KDPatcherConnection* c = connections_.back().get();
    source->Attach(c);
    if (destination != source) destination->Attach(c);
    c->attached_ = true;
    ReserveSelection();
    modified_ = true;
    Invalidate();
    return c;
}

void KDPatcherPanel::RemoveConnection(KDPatcherConnection* c) {
    auto it = std::find_if(connections_.begin(), connections_.end(),
                           [c](const auto& p) { return p.get() == c; });
    if (it == connections_.end()) return;
    bool cancel = false;
    if (OnDeleteConnection) OnDeleteConnection(*this, c, cancel);
    if (cancel) return;
    SelectConnection(c, false);
    c->source_->Detach(c);
    c->destination_->Detach(c);
    c->attached_ = false;
    // The handler may have changed the list: look again before erasing.
    it = std::find_if(connections_.begin(), connections_.end(),
                      [c](const auto& p) { return p.get() == c; });
    if (it != connections_.end()) connections_.erase(it);
    modified_ = true;
    Invalidate();
}

bool KDPatcherPanel::RemoveNode(KDPatcherNode* n) {
    if (FindNode(n) == nodes_.end()) return false;
    const std::vector<KDPatcherConnection*> attached = n->Connections();
    for (KDPatcherConnection* c : attached) RemoveConnection(c);
    // A connection cannot outlive its node, so a refused deletion keeps the node as well.
    if (!n->Connections().empty()) return false;
    if (OnDeleteNode) OnDeleteNode(*this, n);
    SelectNode(n, false);
    ForgetNode(n);
    auto it = FindNode(n);
    if (it != nodes_.end()) nodes_.erase(it);
    modified_ = true;
    Invalidate();
    return true;
}

void KDPatcherPanel::ForgetNode(const KDPatcherNode* n) {
    if (dragNode_ == n) {
        dragNode_ = nullptr;
        nodeDrag_ = false;
    }
    if (anchorNode_ == n) {
        anchorNode_ = nullptr;
        connectionDrag_ = false;
    }
    if (hoverNode_ == n) SetHighlight(nullptr, -1, -1);
}

void KDPatcherPanel::Clear() {
    ClearSelection();
    std::vector<KDPatcherNode*> all;
    all.reserve(nodes_.size());
    for (auto& n : nodes_) all.push_back(n.get());
    for (KDPatcherNode* n : all) RemoveNode(n);
    UpdateExtent();
    Invalidate();
}

void KDPatcherPanel::DeleteSelection() {
    const std::vector<KDPatcherConnection*> conns = selectedConnections_;
    for (KDPatcherConnection* c : conns) RemoveConnection(c);
    const std::vector<KDPatcherNode*> nodes = selectedNodes_;
    for (KDPatcherNode* n : nodes) RemoveNode(n);
    UpdateExtent();
    Invalidate();
}

// ---- selection -------------------------------------------------------------------------------

void KDPatcherPanel::SelectNode(KDPatcherNode* n, bool selected) {
    if (n->selected_ == selected) return;
    n->selected_ = selected;
    if (selected)
        selectedNodes_.push_back(n);
    else
        selectedNodes_.erase(std::find(selectedNodes_.begin(), selectedNodes_.end(), n));
}

void KDPatcherPanel::SelectConnection(KDPatcherConnection* c, bool selected) {
    if (c->selected_ == selected) return;
    c->selected_ = selected;
    if (selected) {
        selectedConnections_.push_back(c);
    } else {
        selectedConnections_.erase(
            std::find(selectedConnections_.begin(), selectedConnections_.end(), c));
    }
}

void KDPatcherPanel::SelectOnlyNode(KDPatcherNode* n) {
    ClearSelection();
    SelectNode(n, true);
}

void KDPatcherPanel::SelectAll() {
    ClearSelection();
    for (auto& n : nodes_) SelectNode(n.get(), true);
    Invalidate();
}

void KDPatcherPanel::ClearSelection() {
    for (KDPatcherNode* n : selectedNodes_) n->selected_ = false;
    for (KDPatcherConnection* c : selectedConnections_) c->selected_ = false;
    selectedNodes_.clear();
    selectedConnections_.clear();
    Invalidate();
}

void KDPatcherPanel::AddToSelection(KDPatcherNode* n) {
    if (FindNode(n) == nodes_.end()) return;
    SelectNode(n, true);
    Invalidate();
}

int KDPatcherPanel::NodeIndexAt(int x, int y) const {
    for (int i = 0; i < NodeCount(); ++i)
        if (nodes_[i]->BoundsRect().Contains(x, y)) return i;
    return -1;
}

void KDPatcherPanel::BringToFront(KDPatcherNode* n) {
    auto it = FindNode(n);
    std::rotate(it, it + 1, nodes_.end());
}

// ---- mouse and keys --------------------------------------------------------------------------

void KDPatcherPanel::MouseDown(const KDMouseEvent& e) {
    if (e.button == KDMouseButton::Left && !nodeDrag_ && !connectionDrag_ && !rubberBand_) {
        last_ = {e.x, e.y};
        moved_ = false;
        rubberBand_ = false;
        const bool hadFocus = Focused();
        RequestFocus();

        KDPatcherNode* hitNode = nullptr;
        KDNodeHit hit;
        for (auto it = nodes_.rbegin(); it != nodes_.rend(); ++it) {
            hit = (*it)->HitTest(e.x, e.y);
            if (hit.zone != KDNodeZone::None) {
                hitNode = it->get();
                break;
            }
        }
        if (hitNode) {
            BringToFront(hitNode);
            PressNode(hitNode, hit, e);
        } else {
            PressEmpty(e, hadFocus);
        }
    }
    FireMouseDown(e);
}

void KDPatcherPanel::PressNode(KDPatcherNode* n, KDNodeHit hit, const KDMouseEvent& e) {
    if (e.Has(ssShift)) {
        SelectNode(n, !(n->Selected() && SelectedNodeCount() > 1));
        Invalidate();
        return;
    }
    if (hit.zone == KDNodeZone::Body) {
        if (!n->Selected()) SelectOnlyNode(n);
        dragNode_ = n;
        nodeDrag_ = true;
    } else {
        ClearSelection();
        connectionDrag_ = true;
        anchorNode_ = n;
        anchorPort_ = hit.index;
        anchorIsOutlet_ = hit.zone == KDNodeZone::Outlet;
        anchorPoint_ = anchorIsOutlet_ ? n->OutletPoint(hit.index) : n->InletPoint(hit.index);
    }
    SetMouseCapture(true);
    Invalidate();
}

void KDPatcherPanel::PressEmpty(const KDMouseEvent& e, bool hadFocus) {
    for (auto& c : connections_) {
        if (!c->HitTest(e.x, e.y)) continue;
        if (e.Has(ssShift)) {
            SelectConnection(c.get(), !c->Selected());
        } else {
            ClearSelection();
            SelectConnection(c.get(), true);
        }
        Invalidate();
        return;
    }
    rubberBand_ = true;
    bandFixed_ = bandMoving_ = {e.x, e.y};
    if (hadFocus) ClearSelection();
    SetMouseCapture(true);
    Invalidate();
}

void KDPatcherPanel::MouseMove(const KDMouseEvent& e) {
    if (e.x != last_.x || e.y != last_.y) moved_ = true;
    if (nodeDrag_) {
        DragNodes(e);
        return;  // a node drag is the panel's own business
    }
    if (rubberBand_) {
        DragBand(e);
    } else {
        Hover(e);
        if (connectionDrag_) {
            last_ = {e.x, e.y};
            Invalidate();
        }
    }
    FireMouseMove(e);
}

void KDPatcherPanel::DragNodes(const KDMouseEvent& e) {
    const int dx = e.x - last_.x, dy = e.y - last_.y;
    last_ = {e.x, e.y};
    if (dx == 0 && dy == 0) return;
    for (KDPatcherNode* n : selectedNodes_) n->MoveBy(dx, dy);
    for (KDPatcherNode* n : selectedNodes_)
        for (KDPatcherConnection* c : n->Connections()) c->UpdatePoints();
    modified_ = true;
    Invalidate();
}

KDRect KDPatcherPanel::RubberBandRect() const {
    return {std::min(bandFixed_.x, bandMoving_.x), std::min(bandFixed_.y, bandMoving_.y),
            std::max(bandFixed_.x, bandMoving_.x), std::max(bandFixed_.y, bandMoving_.y)};
}

void KDPatcherPanel::DragBand(const KDMouseEvent& e) {
    bandMoving_ = {e.x, e.y};
    const KDRect band = RubberBandRect();
    for (auto& n : nodes_) SelectNode(n.get(), !band.Intersected(n->BoundsRect()).IsEmpty());
    Invalidate();
}

void KDPatcherPanel::Hover(const KDMouseEvent& e) {
    KDPatcherNode* node = nullptr;
    int inlet = -1, outlet = -1;
    for (auto it = nodes_.rbegin(); it != nodes_.rend(); ++it) {
        const KDNodeHit hit = (*it)->HitTest(e.x, e.y);
        if (hit.zone == KDNodeZone::None) continue;
        KDPatcherNode* n = it->get();
        // While wiring, only a port the wire may end on lights up: one of the other kind on
        // another node.
        if (hit.zone == KDNodeZone::Inlet &&
            (!connectionDrag_ || (anchorIsOutlet_ && anchorNode_ != n))) {
            node = n;
            inlet = hit.index;
        } else if (hit.zone == KDNodeZone::Outlet &&
                   (!connectionDrag_ || (!anchorIsOutlet_ && anchorNode_ != n))) {
            node = n;
            outlet = hit.index;
        }
        break;
    }
    SetHighlight(node, inlet, outlet);
}

void KDPatcherPanel::SetHighlight(KDPatcherNode* n, int inlet, int outlet) {
    if (n == hoverNode_ && inlet == hoverInlet_ && outlet == hoverOutlet_) return;
    if (hoverNode_) InvalidateRect(hoverNode_->BoundsRect());
    hoverNode_ = n;
    hoverInlet_ = inlet;
    hoverOutlet_ = outlet;
    if (hoverNode_) InvalidateRect(hoverNode_->BoundsRect());
}

void KDPatcherPanel::MouseLeave() {
    if (!connectionDrag_) SetHighlight(nullptr, -1, -1);
}

void KDPatcherPanel::MouseUp(const KDMouseEvent& e) {
    if (e.button != KDMouseButton::Left) {
        FireMouseUp(e);
        return;
    }
    const bool wasActive = nodeDrag_ || connectionDrag_ || rubberBand_;
    if (nodeDrag_) {
        if (!moved_ && !e.Has(ssShift) && dragNode_) SelectOnlyNode(dragNode_);
        nodeDrag_ = false;
        dragNode_ = nullptr;
    } else if (connectionDrag_) {
        FinishConnection();
        connectionDrag_ = false;
        anchorNode_ = nullptr;
    } else if (rubberBand_) {
        rubberBand_ = false;
    }
    if (wasActive) SetMouseCapture(false);
    UpdateExtent();
    Invalidate();
    FireMouseUp(e);
    if (ClientRect().Contains(e.x, e.y)) FireClick();
}

void KDPatcherPanel::FinishConnection() {
    KDPatcherNode *source = nullptr, *destination = nullptr;
    int outlet = -1, inlet = -1;
    if (anchorIsOutlet_ && hoverNode_ && hoverInlet_ >= 0) {
        source = anchorNode_, outlet = anchorPort_;
        destination = hoverNode_, inlet = hoverInlet_;
    } else if (!anchorIsOutlet_ && hoverNode_ && hoverOutlet_ >= 0) {
        source = hoverNode_, outlet = hoverOutlet_;
        destination = anchorNode_, inlet = anchorPort_;
    }
    if (!source || !destination) return;
    auto c = std::make_unique<KDPatcherConnection>(source, outlet, destination, inlet);
    bool cancel = false;
    if (OnCreateConnection) OnCreateConnection(*this, c.get(), cancel);
    if (cancel || FindNode(source) == nodes_.end() || FindNode(destination) == nodes_.end()) return;
    c->UpdatePoints();
    source->Attach(c.get());
    destination->Attach(c.get());
    c->attached_ = true;
    connections_.push_back(std::move(c));
    ReserveSelection();
    modified_ = true;
}

bool KDPatcherPanel::KeyDown(const KDKeyEvent& e) {
    if (e.key == KDKey::Delete) {
        DeleteSelection();
        return true;
    }
    if (e.key == KDKey::Character && e.Has(ssCtrl) && (e.ch == U'a' || e.ch == U'A')) {
        SelectAll();
        return true;
    }
    return false;
}

// ---- scrolling -------------------------------------------------------------------------------

void KDPatcherPanel::ScrollBy(int dx, int dy) {
    for (auto& n : nodes_) n->MoveBy(dx, dy);
    for (auto& c : connections_) c->UpdatePoints();
    anchorPoint_ = {anchorPoint_.x + dx, anchorPoint_.y + dy};
    bandFixed_ = {bandFixed_.x + dx, bandFixed_.y + dy};
    KDScrollingCanvas::ScrollBy(dx, dy);
}

void KDPatcherPanel::UpdateExtent() {
    KDRect r;
    for (auto& n : nodes_) r = r.United(n->BoundsRect().Inflated(3, 3));
    SetExtent(r);
}

// ---- drawing ---------------------------------------------------------------------------------

bool KDPatcherPanel::TouchesDragged(const KDPatcherConnection* c) const {
    return nodeDrag_ && (c->Source()->Selected() || c->Destination()->Selected());
}

void KDPatcherPanel::Paint(KDCanvas& c) {
    c.FillRect(ClientRect(), c.Sys(KDSysColor::Window));
    const bool focused = Focused();
    auto paintNode = [&](KDPatcherNode* n) {
        const bool hover = n == hoverNode_;
        n->Paint(c, focused, hover ? hoverInlet_ : -1, hover ? hoverOutlet_ : -1);
    };
    // Nodes that move are drawn last, over everything else, with the wires that follow them.
    for (auto& n : nodes_)
        if (!IsDragged(n.get())) paintNode(n.get());
    for (auto& k : connections_)
        if (!TouchesDragged(k.get())) k->Paint(c, focused);
    if (nodeDrag_) {
        for (auto& n : nodes_)
            if (IsDragged(n.get())) paintNode(n.get());
        for (auto& k : connections_)
            if (TouchesDragged(k.get())) k->Paint(c, focused);
    }
    if (connectionDrag_) c.Line(anchorPoint_, last_, c.Sys(KDSysColor::WindowText));
    if (rubberBand_) c.XorFrame(RubberBandRect(), kdcolors::Grey);
}
