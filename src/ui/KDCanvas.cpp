#include "ui/KDCanvas.h"

void KDCanvas::XorFrame(const KDRect& r, KDColor color) {
    // Each corner pixel is drawn once, or the band would show holes where two lines cross out.
    const int l = r.left, t = r.top, rr = r.right - 1, b = r.bottom - 1;
    if (rr < l || b < t) return;
    XorLine({l, t}, {rr, t}, color);
    if (b > t) XorLine({l, b}, {rr, b}, color);
    if (b - t > 1) {
        XorLine({l, t + 1}, {l, b - 1}, color);
        if (rr > l) XorLine({rr, t + 1}, {rr, b - 1}, color);
    }
}
