#include "editors/generators/VTHarmonicsPicture.h"

#include <QPainter>
#include <cmath>

VTHarmonicsPicture::VTHarmonicsPicture(int width, int height, QWidget* parent)
    : QWidget(parent),
      picture_(width, height, QImage::Format_RGB32),
      columns_(width),
      rows_(width) {
    setFixedSize(width, height);
    picture_.fill(Qt::black);
}

void VTHarmonicsPicture::linePoints(const std::array<float, kHarmonics>& amplitudes, int width,
                                    int height, std::vector<float>& columns,
                                    std::vector<int>& rows) {
    float peak = 0.0f;
    for (int j = 0; j < width; ++j) {
        float v = 0.0f;
        for (int k = 0; k < kHarmonics; ++k)
            v += float(std::sin(double(j) / width * 2.0 * M_PI * (k + 1))) * amplitudes[k];
        columns[j] = v;
        if (v > peak) peak = v;
    }
    const double d = peak != 0.0f ? peak : 10000.0;
    const double half = height * 0.5;
    for (int j = 0; j < width; ++j) rows[j] = int(std::trunc(half - columns[j] * ((half - 2) / d)));
}

void VTHarmonicsPicture::draw(const std::array<float, kHarmonics>& amplitudes) {
    const int w = picture_.width(), h = picture_.height();
    linePoints(amplitudes, w, h, columns_, rows_);
    picture_.fill(Qt::black);
    QPainter p(&picture_);
    p.setPen(QColor(0, 128, 128));
    QPoint from(0, h / 2);
    for (int j = 0; j < w; ++j) {
        const QPoint to(j, rows_[j]);
        p.drawLine(from, to);
        from = to;
    }
    update();
}

void VTHarmonicsPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, picture_);
}
