#pragma once

#include <QWidget>
#include <functional>

// A grid of on/off cells, rows down and columns across, with a grid line between cells. A cell
// is black when on and white when off; a press on one, or Space on the selected one (moved with
// the arrow keys), asks for it to be switched. The grid holds no state of its own: isOn reads
// each cell when painting.
class VTGateGrid : public QWidget {
public:
    VTGateGrid(int rows, int columns, int cellWidth, int cellHeight, QWidget* parent);

    std::function<bool(int row, int column)> isOn;
    std::function<void(int row, int column)> OnToggle;

    int rows() const { return rows_; }
    int columns() const { return columns_; }
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

    int rows_, columns_;
    int cellWidth_, cellHeight_;
    int row_ = 0;
    int column_ = 0;
};
