#pragma once

#include <QPoint>
#include <cstdlib>

// Turns the pointer's movement while a window's header is dragged into moves on the 10-pixel
// grid. Movement is accumulated; once either direction has gathered more than 9 pixels the
// window moves by whole tens in both and the accumulators keep the remainders, so a slow drag
// loses nothing.
class VTDragTracker {
public:
    // Pointer positions are in the coordinates of the widget that was pressed.
    void begin(QPoint position) {
        last_ = position;
        accumulated_ = QPoint();
    }

    // The move the window should make for the pointer now at position, or (0, 0).
    QPoint move(QPoint position) {
        accumulated_ += position - last_;
        last_ = position;
        if (std::abs(accumulated_.x()) <= 9 && std::abs(accumulated_.y()) <= 9) return {};
        const QPoint step(accumulated_.x() / 10 * 10, accumulated_.y() / 10 * 10);
        accumulated_ -= step;
        return step;
    }

    // The pressed widget moved by d on the screen, so the pointer's position in its
    // coordinates moved by -d without the pointer moving.
    void widgetMoved(QPoint d) { last_ -= d; }

    QPoint accumulated() const { return accumulated_; }

private:
    QPoint last_;
    QPoint accumulated_;
};
