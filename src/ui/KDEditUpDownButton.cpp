#include "ui/KDEditUpDownButton.h"

#include "ui/KDBevel.h"

void KDEditUpDownButton::Paint(KDCanvas& c, bool enabled) const {
    if (Bounds.IsEmpty()) return;
    c.FillRect(Bounds, c.Sys(KDSysColor::BtnFace));
    if (Pressed)
        KDBevel::Sunken(c, Bounds);
    else
        KDBevel::Raised(c, Bounds);

    // Two small arrows, up over down: drag vertically.
    const KDColor ink = enabled ? c.Sys(KDSysColor::BtnText) : c.Sys(KDSysColor::GrayText);
    const int shift = Pressed ? 1 : 0;
    const int cx = (Bounds.left + Bounds.right - 1) / 2 + shift;
    const int cy = (Bounds.top + Bounds.bottom) / 2 + shift;
    for (int i = 0; i < 3; ++i) {
        c.Line({cx - i, cy - 4 + i}, {cx + i, cy - 4 + i}, ink);
        c.Line({cx - i, cy + 3 - i}, {cx + i, cy + 3 - i}, ink);
    }
}
