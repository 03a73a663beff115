#pragma once

#include <QWidget>
#include <string>
#include <vector>

// The small window that shows a parameter's formatted value beside a knob or slider while it is
// dragged: tooltip colours, a one-pixel border, at most two lines. It never takes the focus and
// stays above other windows.
class VTValueHintWindow : public QWidget {
public:
    static constexpr int kMaxLines = 2;
    static constexpr int kMaxLineLength = 49;

    VTValueHintWindow();

    // Shows the text beside the control (its rectangle in screen coordinates); width is the
    // pixel width the binding measured for the property's widest value.
    void show(const QRect& controlOnScreen, const std::string& text, int width);
    // New text in the same place and size.
    void update(const std::string& text);
    void hide() { QWidget::hide(); }
    bool isShowing() const { return isVisible(); }

    const std::vector<std::string>& lines() const { return lines_; }
    int lineHeight() const { return lineHeight_; }
    // The width, in the hint's font, of a text.
    int textWidth(const std::string& text) const;

    // Where a hint of the given size goes: right of the control at its top, pulled up to end at
    // the screen's bottom and flipped to the control's left when it would pass the right edge;
    // never left of 0.
    static QPoint placement(const QRect& control, QSize hint, QSize screen);
    // The text split at carriage returns; the line feed after one is skipped. Lines past the
    // second and characters past the 49th are dropped.
    static std::vector<std::string> splitLines(const std::string& text);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    std::vector<std::string> lines_;
    int lineHeight_ = 0;
};
