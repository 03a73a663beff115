#include "ui/KDBevel.h"

namespace KDBevel {

void Edge(KDCanvas& c, const KDRect& r, KDColor topLeft, KDColor bottomRight) {
    if (r.IsEmpty()) return;
    const int l = r.left, t = r.top, rr = r.right - 1, b = r.bottom - 1;
    c.Line({l, b}, {l, t}, topLeft);
    c.Line({l, t}, {rr, t}, topLeft);
    c.Line({rr, t}, {rr, b}, bottomRight);
    c.Line({l, b}, {rr, b}, bottomRight);
}

void Raised(KDCanvas& c, const KDRect& r) {
    Edge(c, r, c.Sys(KDSysColor::BtnHighlight), c.Sys(KDSysColor::DkShadow3D));
    Edge(c, r.Inflated(-1, -1), c.Sys(KDSysColor::Light3D), c.Sys(KDSysColor::BtnShadow));
}

void Sunken(KDCanvas& c, const KDRect& r) {
    Edge(c, r, c.Sys(KDSysColor::BtnShadow), c.Sys(KDSysColor::BtnHighlight));
    Edge(c, r.Inflated(-1, -1), c.Sys(KDSysColor::DkShadow3D), c.Sys(KDSysColor::Light3D));
}

void RaisedThin(KDCanvas& c, const KDRect& r) {
    Edge(c, r, c.Sys(KDSysColor::BtnHighlight), c.Sys(KDSysColor::BtnShadow));
}

void SunkenThin(KDCanvas& c, const KDRect& r) {
    Edge(c, r, c.Sys(KDSysColor::BtnShadow), c.Sys(KDSysColor::BtnHighlight));
}

}  // namespace KDBevel
