#pragma once

#include <algorithm>
#include <cstdint>

// Points, rectangles and colours of the control toolkit. A rectangle holds its left and top
// pixels but not its right and bottom ones, so width = right - left.
struct KDPoint {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(KDPoint, KDPoint) = default;
};

struct KDRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr bool Contains(int x, int y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    constexpr KDRect Inflated(int dx, int dy) const {
        return {left - dx, top - dy, right + dx, bottom + dy};
    }
    constexpr KDRect Offset(int dx, int dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    // The smallest rectangle holding both; an empty rectangle adds nothing.
    constexpr KDRect United(const KDRect& o) const {
        if (o.IsEmpty()) return *this;
        if (IsEmpty()) return o;
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                std::max(bottom, o.bottom)};
    }
    constexpr KDRect Intersected(const KDRect& o) const {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                std::min(bottom, o.bottom)};
    }
    friend constexpr bool operator==(const KDRect&, const KDRect&) = default;
};

struct KDColor {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend constexpr bool operator==(KDColor, KDColor) = default;
};

namespace kdcolors {
inline constexpr KDColor Black{0, 0, 0};
inline constexpr KDColor White{255, 255, 255};
inline constexpr KDColor Grey{128, 128, 128};
inline constexpr KDColor Red{255, 0, 0};
}  // namespace kdcolors

// The desktop colours the controls draw with; the host maps them onto its palette.
enum class KDSysColor {
    Window,         // background of panels and text fields
    WindowText,     // lines and text on the window colour
    BtnFace,        // faces of nodes, knobs, thumbs and buttons
    BtnText,        // captions on button faces
    BtnHighlight,   // outermost light edge of a raised 3-D frame
    Light3D,        // inner light edge
    BtnShadow,      // inner shadow edge
    DkShadow3D,     // outermost dark edge
    Highlight,      // selection background
    HighlightText,  // text on the selection background
    GrayText,       // text and marks of disabled controls
};
