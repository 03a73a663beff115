#include "editors/effects/VTTrajectoryPicture.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "dsp/SGTrigSplinePath.h"

VTTrajectoryPicture::VTTrajectoryPicture(const SGTrigSplinePath& path, QWidget* parent)
    : QWidget(parent), path_(path) {}

void VTTrajectoryPicture::setOrigin(double x, double y) {
    originX_ = x;
    originY_ = y;
    update();
}

QPoint VTTrajectoryPicture::toPixel(double x, double y) const {
    const int cx = width() / 2, cy = height() / 2;
    return {int(std::trunc(cx + cx * x)), int(std::trunc(cy - cy * y))};
}

QPoint VTTrajectoryPicture::pointAt(float position) const {
    float x = 0, y = 0;
    path_.evaluate(position, x, y);
    return toPixel(x, y);
}

void VTTrajectoryPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = width(), h = height();
    p.fillRect(rect(), Qt::black);
    p.setPen(QColor(0, 128, 128));
    const float n = float(path_.controlPointCount());
    const QPoint start = pointAt(0.0f);
    QPoint from = start;
    for (int step = 0; 0.005f * step <= 1.0f; ++step) {
        const QPoint to = pointAt(0.005f * step * n);
        p.drawLine(from, to);
        from = to;
    }
    p.drawLine(from, start);
    p.fillRect(QRect(start - QPoint(1, 1), start + QPoint(1, 1)), Qt::red);

    const QPoint origin(w / 2 + int(w / 2 * originX_), h / 2 - int(h / 2 * originY_));
    p.setPen(Qt::blue);
    p.drawLine(origin - QPoint(3, 0), origin + QPoint(4, 0));
    p.drawLine(origin - QPoint(0, 3), origin + QPoint(0, 4));

    QFont small = font();
    small.setPixelSize(11);
    p.setFont(small);
    for (auto [x, text] : {std::pair{4, "L"}, std::pair{w - 11, "R"}}) {
        const QRect box(x, h - 18, 8, 13);
        p.fillRect(box, Qt::blue);
        p.setPen(Qt::white);
        p.drawText(box, Qt::AlignCenter, text);
    }
}

void VTTrajectoryPicture::mousePressEvent(QMouseEvent* e) { last_ = e->position().toPoint(); }

void VTTrajectoryPicture::mouseMoveEvent(QMouseEvent* e) {
    if (!(e->buttons() & Qt::LeftButton)) return;
    const QPoint at = e->position().toPoint();
    const double dx = (at.x() - last_.x()) * 2.0 / width();
    const double dy = -(at.y() - last_.y()) * 2.0 / height();
    last_ = at;
    if (OnDrag) OnDrag(dx, dy, e->modifiers());
}
