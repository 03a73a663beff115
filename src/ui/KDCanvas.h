#pragma once

#include <string_view>

#include "ui/KDBitmap.h"
#include "ui/KDGeometry.h"
#include "ui/KDTextMetrics.h"

enum class KDTextDirection {
    Horizontal,  // left to right
    Up,          // turned a quarter turn anticlockwise, reading from bottom to top
};

// What the controls draw on. Lines include both end points; rectangles follow KDRect (right and
// bottom excluded). Only a control's Paint draws: everything else asks the host for a repaint.
class KDCanvas : public KDTextMetrics {
public:
    virtual KDColor SystemColor(KDSysColor which) const = 0;

    virtual void Line(KDPoint from, KDPoint to, KDColor color, int width = 1) = 0;
    // Inverts the pixels under the line by the colour: drawn over anything it stays visible.
    virtual void XorLine(KDPoint from, KDPoint to, KDColor color) = 0;
    virtual void FillRect(const KDRect& r, KDColor color) = 0;
    virtual void FrameRect(const KDRect& r, KDColor color) = 0;
    virtual void FillPolygon(const KDPoint* points, int count, KDColor color) = 0;
    // An ellipse inscribed in r, filled.
    virtual void FillEllipse(const KDRect& r, KDColor color) = 0;
    // Part of the ellipse inscribed in r; angles in degrees, anticlockwise from three o'clock.
    virtual void Arc(const KDRect& r, double startDegrees, double spanDegrees, KDColor color,
                     int width = 1) = 0;
    // Text with its top-left corner at (x, y) (for KDTextDirection::Up, its bottom-left).
    virtual void Text(int x, int y, std::string_view text, KDColor color,
                      KDTextDirection direction = KDTextDirection::Horizontal) = 0;
    virtual void DrawBitmap(int x, int y, const KDBitmap& bitmap) = 0;
    // Limits drawing to r until ClearClip.
    virtual void SetClip(const KDRect& r) = 0;
    virtual void ClearClip() = 0;

    void XorFrame(const KDRect& r, KDColor color);
    KDColor Sys(KDSysColor which) const { return SystemColor(which); }
};
