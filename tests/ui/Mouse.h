#pragma once

#include "ui/KDControl.h"

// Synthetic mouse input for the toolkit-neutral controls.
namespace mouse {

inline void Press(KDControl& c, int x, int y, unsigned shift = 0,
                  KDMouseButton b = KDMouseButton::Left) {
    const unsigned held = b == KDMouseButton::Left    ? ssLeft
                          : b == KDMouseButton::Right ? ssRight
                                                      : ssMiddle;
    c.MouseDown({x, y, b, shift | held});
}
inline void Move(KDControl& c, int x, int y, unsigned shift = ssLeft) {
    c.MouseMove({x, y, KDMouseButton::None, shift});
}
inline void Release(KDControl& c, int x, int y, unsigned shift = 0,
                    KDMouseButton b = KDMouseButton::Left) {
    c.MouseUp({x, y, b, shift});
}
inline void Drag(KDControl& c, int x0, int y0, int x1, int y1, unsigned shift = 0) {
    Press(c, x0, y0, shift);
    Move(c, x1, y1, shift | ssLeft);
    Release(c, x1, y1, shift);
}
inline void Key(KDControl& c, KDKey k, unsigned shift = 0) { c.KeyDown({k, 0, shift}); }
inline void Char(KDControl& c, char32_t ch, unsigned shift = 0) {
    c.KeyDown({KDKey::Character, ch, shift});
}

}  // namespace mouse
