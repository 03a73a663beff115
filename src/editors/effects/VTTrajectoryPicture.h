#pragma once

#include <QWidget>
#include <functional>

class SGTrigSplinePath;

// The spatialiser's trajectory: the path as the sound follows it (offset, turned and scaled),
// its start marked red, its origin by a blue cross, the loudspeakers by "L" and "R". A drag on
// it reports its steps in the square's coordinates with the modifiers held.
class VTTrajectoryPicture : public QWidget {
public:
    VTTrajectoryPicture(const SGTrigSplinePath& path, QWidget* parent);

    // The origin the cross marks.
    void setOrigin(double x, double y);
    // A drag step: (dx, dy) in the square's coordinates, y upwards.
    std::function<void(double dx, double dy, Qt::KeyboardModifiers modifiers)> OnDrag;

    // A point of the square as drawn in a picture of this size.
    QPoint toPixel(double x, double y) const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    QPoint pointAt(float position) const;

    const SGTrigSplinePath& path_;
    double originX_ = 0.0, originY_ = 0.0;
    QPoint last_;
};
