#pragma once

#include <string>
#include <vector>

#include "ui/KDCanvas.h"

class KDPatcherConnection;
class KDPatcherPanel;

// Where a point falls on a node.
enum class KDNodeZone { None, Body, Inlet, Outlet };

struct KDNodeHit {
    KDNodeZone zone = KDNodeZone::None;
    int index = -1;  // port index for Inlet and Outlet
};

// One box on the patcher: the caption with a row of inlet tabs along the top and a row of outlet
// tabs along the bottom. The panel owns its nodes; the data pointer belongs to whoever added it.
class KDPatcherNode {
public:
    static constexpr int kPortPitch = 20;

    KDPatcherNode(KDPatcherPanel* panel, int x, int y, std::string caption, int inletCount,
                  int outletCount, void* data);

    const std::string& Caption() const { return caption_; }
    int InletCount() const { return inletCount_; }
    int OutletCount() const { return outletCount_; }
    void* Data() const { return data_; }
    KDPatcherPanel* Panel() const { return panel_; }
    bool Selected() const { return selected_; }

    int Left() const { return rect_.left; }
    int Top() const { return rect_.top; }
    int Right() const { return rect_.right; }
    int Bottom() const { return rect_.bottom; }
    const KDRect& BoundsRect() const { return rect_; }

    const std::vector<KDPatcherConnection*>& Connections() const { return connections_; }

    KDPoint InletPoint(int i) const { return {rect_.left + 12 + kPortPitch * i, rect_.top - 1}; }
    KDPoint OutletPoint(int i) const { return {rect_.left + 12 + kPortPitch * i, rect_.bottom}; }

    KDNodeHit HitTest(int x, int y) const;

    // The size follows the caption; it is measured as soon as metrics are at hand.
    bool SizeNeedsUpdate() const { return sizeNeedsUpdate_; }
    void UpdateSize(const KDTextMetrics& metrics);

    // highlightInlet / highlightOutlet: the port shown sunken under the mouse, or -1.
    void Paint(KDCanvas& c, bool focused, int highlightInlet, int highlightOutlet);

private:
    friend class KDPatcherPanel;
    void MoveBy(int dx, int dy);
    void Attach(KDPatcherConnection* c) { connections_.push_back(c); }
    void Detach(KDPatcherConnection* c);

    std::vector<KDPatcherConnection*> connections_;
    bool sizeNeedsUpdate_ = true;
    KDPatcherPanel* panel_;
    std::string caption_;
    int inletCount_;
    int outletCount_;
    void* data_;
    bool selected_ = false;
    KDRect rect_;
};
