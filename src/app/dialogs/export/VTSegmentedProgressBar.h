#pragma once

#include <QRect>
#include <QWidget>

// The export's progress bar: a row of cells 8 pixels wide, filled from the left in the
// highlight colour, with a 2-pixel gap between cells and a pixel clear at top and bottom.
class VTSegmentedProgressBar : public QWidget {
public:
    static constexpr int kCellPitch = 8;

    explicit VTSegmentedProgressBar(QWidget* parent = nullptr);

    // 0 ... 1; values outside are held at the ends.
    void setProgress(float progress);
    float progress() const { return progress_; }

    // Cell i is filled for every i < (width div 8) x progress.
    static int filledCells(int width, float progress);
    // The pixels cell i covers in a bar of the given height.
    static QRect cellRect(int cell, int height);

    QSize sizeHint() const override { return {260, 18}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    float progress_ = 0.0f;
};
