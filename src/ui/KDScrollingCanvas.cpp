#include "ui/KDScrollingCanvas.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

KDScrollingCanvas::KDScrollingCanvas(int width, int height) : KDControl(width, height) {
    extent_ = ClientRect();
    UpdateScrollBars();
}

void KDScrollingCanvas::SetExtent(const KDRect& r) {
    extent_ = {std::min(r.left, 0), std::min(r.top, 0), std::max(r.right, Width()),
               std::max(r.bottom, Height())};
    UpdateScrollBars();
}

void KDScrollingCanvas::UpdateScrollBars() {
    HorzScrollBar.Update(extent_.Width(), Width(), -extent_.left);
    VertScrollBar.Update(extent_.Height(), Height(), -extent_.top);
    if (OnScrollBarsChanged) OnScrollBarsChanged();
}

void KDScrollingCanvas::ScrollBy(int dx, int dy) {
    extent_ = extent_.Offset(dx, dy);
    UpdateScrollBars();
    Invalidate();
}

void KDScrollingCanvas::UpdateExtent() { SetExtent(extent_); }

void KDScrollingCanvas::Scroll(KDScrollBarKind bar, KDScrollCode code, int position) {
    const bool horz = bar == KDScrollBarKind::Horizontal;
    const KDCanvasScrollBar& sb = horz ? HorzScrollBar : VertScrollBar;
    const int start = horz ? extent_.left : extent_.top;
    const int client = horz ? Width() : Height();
    const int size = horz ? extent_.Width() : extent_.Height();
    int next = start;
    switch (code) {
        case KDScrollCode::LineUp:
            next = start + sb.Increment;
            break;
        case KDScrollCode::LineDown:
            next = start - sb.Increment;
            break;
        case KDScrollCode::PageUp:
            next = start + client;
            break;
        case KDScrollCode::PageDown:
            next = start - client;
            break;
        case KDScrollCode::ThumbTrack:
            if (!sb.Tracking) return;
            next = -sb.OffsetForPosition(position);
            break;
        case KDScrollCode::ThumbPosition:
            next = -sb.OffsetForPosition(position);
            break;
        case KDScrollCode::Top:
            next = 0;
            break;
        case KDScrollCode::Bottom:
            next = client - size;
            break;
        case KDScrollCode::EndScroll:
            UpdateExtent();
            return;
    }
    next = std::clamp(next, std::min(client - size, 0), 0);
    if (next == start) return;
    if (horz)
        ScrollBy(next - start, 0);
    else
        ScrollBy(0, next - start);
}

bool KDScrollingCanvas::Wheel(const KDWheelEvent& e) {
    // Three lines a notch, as desktop scroll areas do; Shift turns a vertical wheel sideways.
    int dx = e.deltaX, dy = e.deltaY;
    if ((e.shift & ssShift) && dx == 0) std::swap(dx, dy);
    bool used = false;
    for (auto [delta, bar] :
         {std::pair{dx, KDScrollBarKind::Horizontal}, std::pair{dy, KDScrollBarKind::Vertical}}) {
        const int lines = delta / 40;  // 120 to a notch
        if (lines == 0) continue;
        const auto code = lines > 0 ? KDScrollCode::LineUp : KDScrollCode::LineDown;
        for (int i = 0; i < std::abs(lines); ++i) Scroll(bar, code);
        used = true;
    }
    if (used) Scroll(KDScrollBarKind::Vertical, KDScrollCode::EndScroll);
    return used;
}

void KDScrollingCanvas::Resized(int oldWidth, int oldHeight) {
    (void)oldWidth, (void)oldHeight;
    // Keep the content in place as far as the new size allows: close a gap that opened at the
    // right or bottom, and pull content that now fits back into view.
    int dx = 0, dy = 0;
    auto settle = [](int lo, int hi, int client) {
        if (hi - lo > client) return hi < client ? client - hi : 0;
        if (lo < 0) return -lo;
        if (hi > client) return client - hi;
        return 0;
    };
    dx = settle(extent_.left, extent_.right, Width());
    dy = settle(extent_.top, extent_.bottom, Height());
    if (dx != 0 || dy != 0) ScrollBy(dx, dy);
    UpdateExtent();
}
