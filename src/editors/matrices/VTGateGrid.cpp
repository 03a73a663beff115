#include "editors/matrices/VTGateGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

VTGateGrid::VTGateGrid(int size, QWidget* parent) : QWidget(parent), size_(size) {
    setFixedSize(size * (kCell + 1) + 1, size * (kCell + 1) + 1);
    setFocusPolicy(Qt::StrongFocus);
}

QRect VTGateGrid::cellRect(int row, int column) const {
    return QRect(1 + column * (kCell + 1), 1 + row * (kCell + 1), kCell, kCell);
}

void VTGateGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Mid));
    for (int r = 0; r < size_; ++r)
        for (int c = 0; c < size_; ++c) {
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
    const int column = (at.x() - 1) / (kCell + 1);
    const int row = (at.y() - 1) / (kCell + 1);
    if (at.x() < 1 || at.y() < 1 || row >= size_ || column >= size_) return;
    row_ = row;
    column_ = column;
    toggle(row, column);
}

void VTGateGrid::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Space:
            toggle(row_, column_);
            return;
        case Qt::Key_Up:
            row_ = std::max(0, row_ - 1);
            break;
        case Qt::Key_Down:
            row_ = std::min(size_ - 1, row_ + 1);
            break;
        case Qt::Key_Left:
            column_ = std::max(0, column_ - 1);
            break;
        case Qt::Key_Right:
            column_ = std::min(size_ - 1, column_ + 1);
            break;
        default:
            QWidget::keyPressEvent(e);
            return;
    }
    update();
}

void VTGateGrid::toggle(int row, int column) {
    if (OnToggle) OnToggle(row, column);
    update();
}
