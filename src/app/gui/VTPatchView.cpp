#include "app/gui/VTPatchView.h"

#include "contraptions/VTContraption.h"
#include "document/VTDocument.h"
#include "ui/KDPatcherConnection.h"
#include "ui/KDPatcherNode.h"
#include "ui/KDPatcherPanel.h"

VTPatchView::~VTPatchView() { DetachHandlers(); }

void VTPatchView::SetDocument(VTDocument* document) {
    document_ = document;
    if (document_)
        AttachHandlers();
    else
        DetachHandlers();
}

VTContraption* VTPatchView::ContraptionOf(const KDPatcherNode* node) {
    return node ? static_cast<VTContraption*>(node->Data()) : nullptr;
}

KDPatcherNode* VTPatchView::AddNode(VTContraption& contraption, int x, int y) {
    KDPatcherNode* node = panel_.AddNode(x, y, contraption.name(), contraption.inletCount(),
                                         contraption.outletCount(), &contraption);
    contraption.node = node;
    return node;
}

void VTPatchView::Rebuild() {
    DetachHandlers();
    panel_.Clear();
    if (document_) {
        const int count = document_->ContraptionCount();
        for (int i = 0; i < count; ++i) {
            VTContraption* c = document_->ContraptionAt(i);
            const auto [x, y] = c->nodePosition();
            AddNode(*c, x, y);
        }
        for (int i = 0; i < count; ++i) {
            VTContraption* c = document_->ContraptionAt(i);
            for (int k = 0; k < c->connectionCount(); ++k) {
                const VTContraption::Connection link = c->connection(k);
                if (!link.source || !link.source->node) continue;
                panel_.AddConnection(static_cast<KDPatcherNode*>(link.source->node), link.outlet,
                                     static_cast<KDPatcherNode*>(c->node), link.inlet);
            }
        }
        panel_.ClearSelection();
        AttachHandlers();
    }
    panel_.SetModified(false);
}

void VTPatchView::StoreNodePositions() const {
    for (int i = 0; i < panel_.NodeCount(); ++i) {
        KDPatcherNode* node = panel_.Nodes(i);
        if (VTContraption* c = ContraptionOf(node)) c->setNodePosition(node->Left(), node->Top());
    }
}

void VTPatchView::AttachHandlers() {
    if (!document_) return;
    VTDocument* doc = document_;
    panel_.OnCreateConnection = [doc](KDPatcherPanel&, KDPatcherConnection* c, bool& cancel) {
        VTContraption* source = ContraptionOf(c->Source());
        VTContraption* destination = ContraptionOf(c->Destination());
        cancel = !source || !destination ||
                 !doc->Connect(source, c->OutletIndex(), destination, c->InletIndex());
    };
    panel_.OnDeleteConnection = [doc](KDPatcherPanel&, KDPatcherConnection* c, bool& cancel) {
        VTContraption* source = ContraptionOf(c->Source());
        VTContraption* destination = ContraptionOf(c->Destination());
        if (source && destination)
            doc->Disconnect(source, c->OutletIndex(), destination, c->InletIndex());
        cancel = false;
    };
    panel_.OnDeleteNode = [doc](KDPatcherPanel&, KDPatcherNode* node) {
        if (VTContraption* c = ContraptionOf(node)) {
            c->node = nullptr;
            doc->DeleteContraption(c);
        }
    };
}

void VTPatchView::DetachHandlers() {
    panel_.OnCreateConnection = nullptr;
    panel_.OnDeleteConnection = nullptr;
    panel_.OnDeleteNode = nullptr;
}
