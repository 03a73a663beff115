#include "app/dialogs/export/VTBusyIndicator.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

VTBusyIndicator::VTBusyIndicator(QWidget* parent) : QWidget(parent) {
    setObjectName("Animation");
    setFixedSize(sizeHint());
    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, [this] {
        phase_ = (phase_ + 1) % kDots;
        update();
    });
}

void VTBusyIndicator::start() {
    phase_ = 0;
    timer_.start();
    update();
}

void VTBusyIndicator::stop() {
    timer_.stop();
    update();
}

void VTBusyIndicator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QPointF centre(width() / 2.0, height() / 2.0);
    const double radius = std::min(width(), height()) / 2.0 - 5.0;
    const QColor bright = palette().color(QPalette::Highlight);
    const QColor dim = palette().color(QPalette::Mid);
    for (int i = 0; i < kDots; ++i) {
        const double angle = 2.0 * std::numbers::pi * i / kDots;
        const QPointF at = centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
        // A stopped indicator shows every dot dim, so it reads as idle.
        painter.setBrush(timer_.isActive() && i == phase_ ? bright : dim);
        painter.drawEllipse(at, 3.5, 3.5);
    }
}
