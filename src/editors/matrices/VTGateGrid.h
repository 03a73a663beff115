#pragma once

#include <QWidget>
#include <functional>

// A square grid of on/off cells, rows down and columns across, 16-pixel cells with a grid line
// between them. A cell is black when on and white when off; a press on one, or Space on the
// selected one (moved with the arrow keys), asks for it to be switched. The grid holds no
// state of its own: isOn reads each cell when painting.
class VTGateGrid : public QWidget {
public:
    static constexpr int kCell = 16;

    VTGateGrid(int size, QWidget* parent);

    std::function<bool(int row, int column)> isOn;
    std::function<void(int row, int column)> OnToggle;

    int size() const { return size_; }
    int selectedRow() const { return row_; }
    int selectedColumn() const { return column_; }
    // The cell's rectangle inside the grid lines.
    QRect cellRect(int row, int column) const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void toggle(int row, int column);

    int size_;
    int row_ = 0;
    int column_ = 0;
};
