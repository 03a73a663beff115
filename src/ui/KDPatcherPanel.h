#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/KDPatcherConnection.h"
#include "ui/KDPatcherNode.h"
#include "ui/KDScrollingCanvas.h"

// The patcher canvas: nodes with inlet and outlet tabs, wires between them, selection by click,
// Shift-click and rubber band, moving by drag, wiring by dragging from a tab to a tab of the
// other kind. The panel knows nothing of what the nodes stand for; it reports the user's edits
// through its events and leaves the rest to its owner.
class KDPatcherPanel : public KDScrollingCanvas {
public:
    using NodeEvent = std::function<void(KDPatcherPanel& sender, KDPatcherNode* node)>;
    using ConnectionEvent =
        std::function<void(KDPatcherPanel& sender, KDPatcherConnection* connection, bool& cancel)>;

    KDPatcherPanel(int width = 400, int height = 300);
    ~KDPatcherPanel() override;

    int NodeCount() const { return int(nodes_.size()); }
    KDPatcherNode* Nodes(int i) const { return nodes_[i].get(); }
    int ConnectionCount() const { return int(connections_.size()); }
    KDPatcherConnection* Connections(int i) const { return connections_[i].get(); }

    KDPatcherNode* AddNode(int x, int y, const std::string& caption, int inletCount,
                           int outletCount, void* data);
    // Returns nullptr, adding nothing, for a missing node or a port the node does not have.
    KDPatcherConnection* AddConnection(KDPatcherNode* source, int outletIndex,
                                       KDPatcherNode* destination, int inletIndex);
    void RemoveConnection(KDPatcherConnection* c);
    // Returns false when the owner refused to let one of the node's connections go: the node
    // stays then, with that connection.
    bool RemoveNode(KDPatcherNode* n);
    void Clear();
    void DeleteSelection();
    void SelectAll();
    void ClearSelection();
    // Adds one of the panel's nodes to the selection (a paste selects every node it made).
    void AddToSelection(KDPatcherNode* n);

    int SelectedNodeCount() const { return int(selectedNodes_.size()); }
    KDPatcherNode* SelectedNode(int i) const { return selectedNodes_[i]; }
    int SelectedConnectionCount() const { return int(selectedConnections_.size()); }
    KDPatcherConnection* SelectedConnection(int i) const { return selectedConnections_[i]; }

    // The oldest node whose rectangle holds the point, or -1.
    int NodeIndexAt(int x, int y) const;

    bool Modified() const { return modified_; }
    void SetModified(bool m) { modified_ = m; }

    // Interaction state, for hosts and tests.
    bool DraggingNodes() const { return nodeDrag_; }
    bool DraggingConnection() const { return connectionDrag_; }
    bool RubberBanding() const { return rubberBand_; }
    KDRect RubberBandRect() const;
    KDPatcherNode* HighlightNode() const { return hoverNode_; }
    int HighlightInlet() const { return hoverInlet_; }
    int HighlightOutlet() const { return hoverOutlet_; }

    NodeEvent OnDeleteNode;
    ConnectionEvent OnCreateConnection;
    ConnectionEvent OnDeleteConnection;

    bool AcceptsFocus() const override { return true; }
    void Paint(KDCanvas& canvas) override;
    void MouseDown(const KDMouseEvent& e) override;
    void MouseMove(const KDMouseEvent& e) override;
    void MouseUp(const KDMouseEvent& e) override;
    bool KeyDown(const KDKeyEvent& e) override;
    void MouseLeave() override;

    void ScrollBy(int dx, int dy) override;
    void UpdateExtent() override;

protected:
    void FocusChanged() override { Invalidate(); }

private:
    using NodeList = std::vector<std::unique_ptr<KDPatcherNode>>;

    void SelectNode(KDPatcherNode* n, bool selected);
    void SelectConnection(KDPatcherConnection* c, bool selected);
    void SelectOnlyNode(KDPatcherNode* n);
    void ReserveSelection();
    NodeList::iterator FindNode(const KDPatcherNode* n);
    void BringToFront(KDPatcherNode* n);
    void PressNode(KDPatcherNode* n, KDNodeHit hit, const KDMouseEvent& e);
    void PressEmpty(const KDMouseEvent& e, bool hadFocus);
    void DragNodes(const KDMouseEvent& e);
    void DragBand(const KDMouseEvent& e);
    void Hover(const KDMouseEvent& e);
    void SetHighlight(KDPatcherNode* n, int inlet, int outlet);
    void FinishConnection();
    bool IsDragged(const KDPatcherNode* n) const { return nodeDrag_ && n->Selected(); }
    bool TouchesDragged(const KDPatcherConnection* c) const;
    void ForgetNode(const KDPatcherNode* n);

    NodeList nodes_;
    std::vector<std::unique_ptr<KDPatcherConnection>> connections_;
    std::vector<KDPatcherNode*> selectedNodes_;
    std::vector<KDPatcherConnection*> selectedConnections_;

    KDPoint last_;
    KDPatcherNode* dragNode_ = nullptr;
    bool nodeDrag_ = false;
    bool rubberBand_ = false;
    bool connectionDrag_ = false;
    bool moved_ = false;
    KDPoint bandFixed_;
    KDPoint bandMoving_;
    KDPatcherNode* anchorNode_ = nullptr;
    int anchorPort_ = -1;
    bool anchorIsOutlet_ = false;
    KDPoint anchorPoint_;
    KDPatcherNode* hoverNode_ = nullptr;
    int hoverInlet_ = -1;
    int hoverOutlet_ = -1;
    bool modified_ = false;
};
