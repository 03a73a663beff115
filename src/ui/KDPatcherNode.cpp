#include "ui/KDPatcherNode.h"

#include <algorithm>

#include "ui/KDBevel.h"

KDPatcherNode::KDPatcherNode(KDPatcherPanel* panel, int x, int y, std::string caption,
                             int inletCount, int outletCount, void* data)
    : panel_(panel),
      caption_(std::move(caption)),
      inletCount_(std::max(inletCount, 0)),
      outletCount_(std::max(outletCount, 0)),
      data_(data),
      rect_{x, y, x, y} {}

void KDPatcherNode::UpdateSize(const KDTextMetrics& metrics) {
    const int ports = std::max(inletCount_, outletCount_);
    const int width = std::max(metrics.TextWidth(caption_) + 14, ports * kPortPitch + 4);
    const int height = metrics.TextHeight() + 14;
    rect_.right = rect_.left + width;
    rect_.bottom = rect_.top + height;
    sizeNeedsUpdate_ = false;
}

KDNodeHit KDPatcherNode::HitTest(int x, int y) const {
    if (!rect_.Contains(x, y)) return {};
    KDNodeZone zone = KDNodeZone::Body;
    int count = 0;
    if (y <= rect_.top + 5) {
        zone = KDNodeZone::Inlet;
        count = inletCount_;
    } else if (y >= rect_.bottom - 5) {
        zone = KDNodeZone::Outlet;
        count = outletCount_;
    }
    if (zone == KDNodeZone::Body) return {zone, -1};
    const int index = (x - rect_.left - 2) / kPortPitch;
    if (index >= count) return {KDNodeZone::Body, -1};
    return {zone, index};
}

void KDPatcherNode::MoveBy(int dx, int dy) { rect_ = rect_.Offset(dx, dy); }

void KDPatcherNode::Detach(KDPatcherConnection* c) {
    connections_.erase(std::remove(connections_.begin(), connections_.end(), c),
                       connections_.end());
}

void KDPatcherNode::Paint(KDCanvas& c, bool focused, int highlightInlet, int highlightOutlet) {
    if (sizeNeedsUpdate_) UpdateSize(c);
    const int l = rect_.left, t = rect_.top, r = rect_.right, b = rect_.bottom;
    const KDColor face = c.Sys(KDSysColor::BtnFace);
    const KDColor shadow = c.Sys(KDSysColor::BtnShadow);
    const KDColor dark = c.Sys(KDSysColor::DkShadow3D);
    const KDColor light = c.Sys(KDSysColor::BtnHighlight);

    // Tabs first, so the body's edge runs over their inner ends. Their outline is drawn in
    // the shadow colour so they read on the window colour as well as on each other.
    for (int i = 0; i < inletCount_; ++i) {
        const KDRect tab{l + 2 + kPortPitch * i, t, l + 21 + kPortPitch * i, t + 5};
        c.FillRect(tab, face);
        KDBevel::Edge(c, tab, shadow, dark);
        c.Line({tab.left + 1, tab.top + 1}, {tab.right - 2, tab.top + 1}, light);
    }
    for (int i = 0; i < outletCount_; ++i) {
        const KDRect tab{l + 4 + kPortPitch * i, b - 5, l + 21 + kPortPitch * i, b};
        c.FillRect(tab, face);
        KDBevel::Edge(c, tab, shadow, dark);
    }

    // The body: a shadow outline around a raised face.
    const KDRect body{l, t + 4, r, b - 4};
    const bool showSelected = selected_ && focused;
    c.FillRect(body, showSelected ? c.Sys(KDSysColor::Highlight) : face);
    KDBevel::Edge(c, body, shadow, dark);
    KDBevel::Edge(c, body.Inflated(-1, -1), light, shadow);
    c.Text(l + 5, t + 7, caption_,
           showSelected ? c.Sys(KDSysColor::HighlightText) : c.Sys(KDSysColor::BtnText));

    auto sunken = [&](const KDRect& h) {
        c.FillRect(h, shadow);
        KDBevel::Edge(c, h, dark, light);
    };
    if (highlightInlet >= 0 && highlightInlet < inletCount_)
        sunken({l + 6 + kPortPitch * highlightInlet, t + 1, l + 19 + kPortPitch * highlightInlet,
                t + 5});
    if (highlightOutlet >= 0 && highlightOutlet < outletCount_)
        sunken({l + 6 + kPortPitch * highlightOutlet, b - 5, l + 19 + kPortPitch * highlightOutlet,
                b - 1});
}
