#pragma once

#include "ui/KDCanvas.h"

// The 3-D edges shared by the controls, drawn inside r.
namespace KDBevel {

// Two-pixel raised edge: highlight and light at the top and left, dark shadow and shadow at the
// bottom and right.
void Raised(KDCanvas& c, const KDRect& r);
// Two-pixel sunken edge, the raised one turned inside out.
void Sunken(KDCanvas& c, const KDRect& r);
// One-pixel edges.
void RaisedThin(KDCanvas& c, const KDRect& r);
void SunkenThin(KDCanvas& c, const KDRect& r);
// One pixel of `topLeft` along the top and left and of `bottomRight` along the bottom and right.
void Edge(KDCanvas& c, const KDRect& r, KDColor topLeft, KDColor bottomRight);

}  // namespace KDBevel
