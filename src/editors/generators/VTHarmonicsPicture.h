#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <vector>

// One period of the sum of ten harmonics, drawn teal on black and scaled so that its highest
// point nearly touches the top. The picture and its column buffer are made once, at the size
// the widget is given when built.
class VTHarmonicsPicture : public QWidget {
public:
    static constexpr int kHarmonics = 10;

    VTHarmonicsPicture(int width, int height, QWidget* parent);

    // Redraws the picture for these amplitudes and repaints.
    void draw(const std::array<float, kHarmonics>& amplitudes);

    // The row of each column's line point, for amplitudes, in a picture of width × height.
    static void linePoints(const std::array<float, kHarmonics>& amplitudes, int width, int height,
                           std::vector<float>& columns, std::vector<int>& rows);

    const QImage& picture() const { return picture_; }
    const std::vector<int>& rows() const { return rows_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QImage picture_;
    std::vector<float> columns_;
    std::vector<int> rows_;
};
