#pragma once

#include <algorithm>

#include <Qt>

// The focused cell of a grid of rows x columns, moved by the arrow keys and kept inside the
// grid. Whether the key was an arrow.
inline bool moveGridFocus(int key, int& row, int& column, int rows, int columns) {
    switch (key) {
        case Qt::Key_Up:
            row = std::max(0, row - 1);
            return true;
        case Qt::Key_Down:
            row = std::min(rows - 1, row + 1);
            return true;
        case Qt::Key_Left:
            column = std::max(0, column - 1);
            return true;
        case Qt::Key_Right:
            column = std::min(columns - 1, column + 1);
            return true;
        default:
            return false;
    }
}
