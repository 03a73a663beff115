#include "app/dialogs/export/VTSegmentedProgressBar.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

VTSegmentedProgressBar::VTSegmentedProgressBar(QWidget* parent) : QWidget(parent) {
    setObjectName("ProgressBar");
    setMinimumHeight(12);
}

void VTSegmentedProgressBar::setProgress(float progress) {
    const float held = std::clamp(std::isnan(progress) ? 0.0f : progress, 0.0f, 1.0f);
    if (held == progress_) return;
    progress_ = held;
    update();
}

int VTSegmentedProgressBar::filledCells(int width, float progress) {
    if (width < kCellPitch || !(progress > 0.0f)) return 0;
    const int cells = width / kCellPitch;
    const float limit = static_cast<float>(cells) * std::min(progress, 1.0f);
    // The count of whole i with i < limit.
    return std::min(cells, static_cast<int>(std::ceil(limit)));
}

QRect VTSegmentedProgressBar::cellRect(int cell, int height) {
    return QRect(1 + kCellPitch * cell, 1, kCellPitch - 2, std::max(0, height - 2));
}

void VTSegmentedProgressBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor fill = palette().color(QPalette::Highlight);
    const int cells = filledCells(width(), progress_);
    for (int i = 0; i < cells; ++i) painter.fillRect(cellRect(i, height()), fill);
}
