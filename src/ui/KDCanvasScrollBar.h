#pragma once

// One scroll bar of a KDScrollingCanvas: its settings and the state the host shows.
class KDCanvasScrollBar {
public:
    // Settings.
    int Increment = 8;  // pixels per line step
    int Margin = 0;
    bool Tracking = false;  // scroll while the thumb is dragged, not only when it is dropped

    // State, in scroll-bar units: the range runs from Min to Max, Page units are visible.
    int Min() const { return 0; }
    int Max() const { return max_; }
    int Page() const { return page_; }
    int Position() const { return position_; }
    // The largest position the thumb can take.
    int MaxPosition() const { return max_ - page_ + 1 > 0 ? max_ - page_ + 1 : 0; }
    bool Enabled() const { return enabled_; }
    bool LowArrowEnabled() const { return lowArrow_; }    // left or up
    bool HighArrowEnabled() const { return highArrow_; }  // right or down
    // Extent pixels per scroll-bar unit (1 unless the extent is too large for the bar).
    double Scale() const { return scale_; }

    // Shows an extent of `extentSize` pixels scrolled by `offset` pixels in a client area of
    // `clientSize` pixels.
    void Update(int extentSize, int clientSize, int offset);
    // The pixel offset a thumb position stands for.
    int OffsetForPosition(int position) const;

private:
    int max_ = 0;
    int page_ = 1;
    int position_ = 0;
    bool enabled_ = false;
    bool lowArrow_ = true;
    bool highArrow_ = true;
    double scale_ = 1.0;
};
