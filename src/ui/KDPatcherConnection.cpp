#include "ui/KDPatcherConnection.h"

#include <algorithm>

#include "ui/KDPatcherNode.h"

KDPatcherConnection::KDPatcherConnection(KDPatcherNode* source, int outletIndex,
                                         KDPatcherNode* destination, int inletIndex)
    : source_(source),
      destination_(destination),
      outletIndex_(outletIndex),
      inletIndex_(inletIndex) {
    UpdatePoints();
}

void KDPatcherConnection::UpdatePoints() {
    start_ = source_->OutletPoint(outletIndex_);
    end_ = destination_->InletPoint(inletIndex_);
}

bool KDPatcherConnection::HitTest(int x, int y) const {
    const int x1 = start_.x, y1 = start_.y, x2 = end_.x, y2 = end_.y;
    if (y1 < y2) {
        if (!(y > y1 - 2 && y < y2 + 2)) return false;
    } else if (!(y > y2 - 2 && y < y1 + 2)) {
        return false;
    }
    int lo, hi;
    if (y2 - y1 > 0) {
        // A band 4 pixels high around the line, widened by 2 pixels either side.
        const float s = float(x2 - x1) / float(y2 - y1);
        const int a = int(float(x1) + float(y - 2 - y1) * s);
        const int b = int(float(x1) + float(y + 2 - y1) * s);
        lo = std::min(a, b) - 2;
        hi = std::max(a, b) + 2;
    } else {
        lo = std::min(x1, x2);
        hi = std::max(x1, x2);
    }
    return x >= lo && x <= hi;
}

void KDPatcherConnection::Paint(KDCanvas& c, bool focused) const {
    const KDColor color = c.Sys(KDSysColor::WindowText);
    c.Line(start_, end_, color, selected_ && focused ? 2 : 1);
}
