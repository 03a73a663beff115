#pragma once

#include <functional>

#include "ui/KDCanvasScrollBar.h"
#include "ui/KDControl.h"

enum class KDScrollCode {
    LineUp,    // line left or up
    LineDown,  // line right or down
    PageUp,
    PageDown,
    ThumbPosition,  // the thumb was dropped at a position
    ThumbTrack,     // the thumb is being dragged
    Top,            // to the start
    Bottom,         // to the end
    EndScroll,      // the scroll action is over
};

enum class KDScrollBarKind { Horizontal, Vertical };
enum class KDBorderStyle { bsNone, bsSingle };

// A window that scrolls by moving its content rather than by an offset: ScrollBy moves
// everything the derived class shows, so the content's coordinates are always client
// coordinates. The extent rectangle holds the content and always the visible client area.
class KDScrollingCanvas : public KDControl {
public:
    KDScrollingCanvas(int width, int height);

    KDCanvasScrollBar HorzScrollBar;
    KDCanvasScrollBar VertScrollBar;
    KDBorderStyle BorderStyle = KDBorderStyle::bsSingle;
    KDColor Color = kdcolors::White;

    const KDRect& Extent() const { return extent_; }
    // Stores the extent, widened to hold the client area, and updates both scroll bars.
    void SetExtent(const KDRect& r);

    // A scroll request from a scroll bar; position is the thumb's for the thumb codes.
    void Scroll(KDScrollBarKind bar, KDScrollCode code, int position = 0);

    virtual void ScrollBy(int dx, int dy);
    // Recomputes the extent from the content (the base class has none beyond the client area).
    virtual void UpdateExtent();

    // Told whenever the scroll bars' state changes, so the host can show it.
    std::function<void()> OnScrollBarsChanged;

    bool Wheel(const KDWheelEvent& e) override;

protected:
    void Resized(int oldWidth, int oldHeight) override;

private:
    void UpdateScrollBars();

    KDRect extent_;
};
