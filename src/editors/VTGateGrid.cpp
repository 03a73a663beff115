#include "editors/VTGateGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "editors/VTGridFocus.h"

VTGateGrid::VTGateGrid(int rows, int columns, int cellWidth, int cellHeight, QWidget* parent)
    : QWidget(parent),
      rows_(rows),
      columns_(columns),
      cellWidth_(cellWidth),
      cellHeight_(cellHeight) {
    setFixedSize(columns * (cellWidth + 1) + 1, rows * (cellHeight + 1) + 1);
    setFocusPolicy(Qt::StrongFocus);
}

QRect VTGateGrid::cellRect(int row, int column) const {
    return QRect(1 + column * (cellWidth_ + 1), 1 + row * (cellHeight_ + 1), cellWidth_,
                 cellHeight_);
}

void VTGateGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Mid));
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < columns_; ++c) {
            const QRect cell = cellRect(r, c);
            p.fillRect(cell, palette().color(QPalette::Window));
            const bool on = isOn && isOn(r, c);
            p.fillRect(cell.adjusted(1, 1, -1, -1), on ? Qt::black : Qt::white);
        }
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.drawRect(cellRect(row_, column_).adjusted(0, 0, -1, -1));
    }
}

void VTGateGrid::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const QPoint at = e->position().toPoint();
    const int column = (at.x() - 1) / (cellWidth_ + 1);
    const int row = (at.y() - 1) / (cellHeight_ + 1);
    if (at.x() < 1 || at.y() < 1 || row >= rows_ || column >= columns_) return;
    row_ = row;
    column_ = column;
    toggle(row, column);
}

void VTGateGrid::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Space) {
        toggle(row_, column_);
    } else if (!moveGridFocus(e->key(), row_, column_, rows_, columns_)) {
        QWidget::keyPressEvent(e);
        return;
    }
    update();
}

void VTGateGrid::toggle(int row, int column) {
    if (OnToggle) OnToggle(row, column);
    update();
}
