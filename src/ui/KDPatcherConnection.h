#pragma once

#include "ui/KDCanvas.h"

class KDPatcherNode;

// A wire from an outlet of one node to an inlet of another (or the same) node.
class KDPatcherConnection {
public:
    KDPatcherConnection(KDPatcherNode* source, int outletIndex, KDPatcherNode* destination,
                        int inletIndex);

    bool Selected() const { return selected_; }
    KDPatcherNode* Source() const { return source_; }
    KDPatcherNode* Destination() const { return destination_; }
    int OutletIndex() const { return outletIndex_; }
    int InletIndex() const { return inletIndex_; }
    KDPoint StartPoint() const { return start_; }
    KDPoint EndPoint() const { return end_; }
    bool Attached() const { return attached_; }

    // Takes the end points from the nodes' current places.
    void UpdatePoints();
    bool HitTest(int x, int y) const;
    bool Touches(const KDPatcherNode* n) const { return n == source_ || n == destination_; }

    void Paint(KDCanvas& c, bool focused) const;

private:
    friend class KDPatcherPanel;

    bool selected_ = false;
    KDPatcherNode* source_;
    KDPatcherNode* destination_;
    int outletIndex_;
    int inletIndex_;
    KDPoint start_;
    KDPoint end_;
    bool attached_ = false;
};
