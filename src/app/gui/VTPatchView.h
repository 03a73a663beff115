#pragma once

#include <functional>

class KDPatcherNode;
class KDPatcherPanel;
class VTContraption;
class VTDocument;

// Keeps the patcher showing the document's graph: builds the nodes and wires from the
// document, and turns the user's wiring and deleting on the patcher into document edits.
class VTPatchView {
public:
    explicit VTPatchView(KDPatcherPanel& panel) : panel_(panel) {}
    ~VTPatchView();
    VTPatchView(const VTPatchView&) = delete;
    VTPatchView& operator=(const VTPatchView&) = delete;

    // The document the edits go to; none detaches the patcher's handlers.
    void SetDocument(VTDocument* document);

    // Throws away every node and wire and builds them again from the document: one node per
    // contraption at its stored position, then the connections inlet by inlet. The handlers
    // are off meanwhile, so building the picture edits nothing.
    void Rebuild();

    // A node for a contraption, remembered in the contraption.
    KDPatcherNode* AddNode(VTContraption& contraption, int x, int y);
    static VTContraption* ContraptionOf(const KDPatcherNode* node);

    // Copies every node's place into its contraption, so a document written next holds the
    // places seen on screen.
    void StoreNodePositions() const;

    void AttachHandlers();
    void DetachHandlers();

    KDPatcherPanel& Panel() const { return panel_; }

private:
    KDPatcherPanel& panel_;
    VTDocument* document_ = nullptr;
};
