#include "ui/qt/KDQtPatternedScrollBox.h"

#include <QPainter>
#include <QScrollBar>
#include <cstring>

#include "ui/qt/KDQtCanvas.h"

KDQtPatternedScrollBox::KDQtPatternedScrollBox(QWidget* parent) : QScrollArea(parent) {
    box_.SetTileShiftPercent(23.0f);
    // The tiles are fixed to the content, so a resize only needs the newly shown strip.
    viewport()->setAttribute(Qt::WA_StaticContents);
}

KDBitmap KDQtPatternedScrollBox::ToBitmap(const QImage& image) {
    if (image.isNull()) return {};
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    std::vector<std::uint32_t> pixels(std::size_t(argb.width()) * argb.height());
    for (int y = 0; y < argb.height(); ++y)
        std::memcpy(pixels.data() + std::size_t(y) * argb.width(), argb.constScanLine(y),
                    std::size_t(argb.width()) * 4);
    return KDBitmap(argb.width(), argb.height(), std::move(pixels));
}

void KDQtPatternedScrollBox::SetTile(const QImage& tile) {
    box_.SetTile(ToBitmap(tile));
    viewport()->update();
}

void KDQtPatternedScrollBox::SetTileShiftPercent(float percent) {
    box_.SetTileShiftPercent(percent);
    viewport()->update();
}

void KDQtPatternedScrollBox::SetContent(QWidget* content) {
    setWidget(content);
    if (content) content->setAutoFillBackground(false);
}

void KDQtPatternedScrollBox::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    box_.Resize(viewport()->width(), viewport()->height());
    const QPoint origin =
        widget() ? widget()->pos()
                 : QPoint(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    box_.SetContentOrigin(origin.x(), origin.y());
    KDQtCanvas canvas(painter, palette(), font());
    box_.Paint(canvas);
}

void KDQtPatternedScrollBox::scrollContentsBy(int dx, int dy) {
    QScrollArea::scrollContentsBy(dx, dy);
    viewport()->update();
}
