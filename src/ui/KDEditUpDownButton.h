#pragma once

#include "ui/KDCanvas.h"

// The drag button at the right of a number field: pressed and dragged up or down, it steps the
// value. It draws itself; the field handles the mouse.
class KDEditUpDownButton {
public:
    static constexpr int kWidth = 13;

    KDRect Bounds;
    bool Pressed = false;

    void Paint(KDCanvas& c, bool enabled) const;
};
