#include "ui/qt/KDQtBrickTile.h"

#include <QPainter>

QImage KDQtBrickTile() {
    QImage tile(48, 20, QImage::Format_ARGB32);
    tile.fill(QColor(226, 222, 214));
    QPainter p(&tile);
    p.setPen(QColor(206, 200, 190));
    p.drawLine(0, 19, 47, 19);
    p.drawLine(47, 0, 47, 19);
    p.setPen(QColor(238, 235, 229));
    p.drawLine(0, 0, 46, 0);
    p.drawLine(0, 0, 0, 18);
    return tile;
}
