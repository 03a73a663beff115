#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/KDControl.h"

// Draws and edits the closed path a moving sound follows: a smooth closed curve through control
// points in a square of coordinates -1 ... 1 (x to the right, y upwards). A press on a point
// takes it to be dragged; a press on the curve puts a new point there; Ctrl deletes the point
// pressed (three are always kept), Shift makes it the point the path starts from; a press
// elsewhere, or after Ctrl or Shift, drags the whole path. The path travels as text, the
// control points from the start point on: "x0,y0, x1,y1, ...".
class KDTrigSplineEdit : public KDControl {
public:
    enum EditMode { emEdit, emMove };
    struct Point {
        float x, y;
    };
    using NotifyEvent = std::function<void(KDTrigSplineEdit& sender)>;

    static constexpr float kLimit = 0.98f;
    static constexpr int kCurveVertices = 256;

    KDTrigSplineEdit(int width = 200, int height = 200);

    int SegmentCount() const { return int(points_.size()); }
    const std::vector<Point>& Points() const { return points_; }
    int StartPoint() const { return start_; }
    EditMode GetEditMode() const { return mode_; }

    std::string CommaText() const;
    // Replaces the points with the text's pairs and starts the path at the first. A text that
    // gives fewer than three points, or numbers that are not finite, leaves the path as it was.
    void SetCommaText(std::string_view text);

    // Fired at every mouse release over the editor, whether anything changed or not.
    NotifyEvent OnChange;

    // Where a point is drawn, and the point drawn at a pixel.
    KDPoint ScreenOf(Point p) const;
    Point PointAt(int x, int y) const;
    // The drawn vertices of curve segment k, which runs from point k - 1 towards point k - 2.
    void SegmentVertices(int k, std::array<KDPoint, kCurveVertices>& vertices) const;

    void Paint(KDCanvas& canvas) override;
    void MouseDown(const KDMouseEvent& e) override;
    void MouseMove(const KDMouseEvent& e) override;
    void MouseUp(const KDMouseEvent& e) override;

protected:
    void Resized(int oldWidth, int oldHeight) override;

private:
    int pointAtPixel(int x, int y) const;
    // The first segment whose curve passes through the 9 x 9 square around (x, y), or -1.
    int segmentAt(int x, int y) const;
    void startMove();
    void moveAll(int dx, int dy);
    void updateMapping();
    const Point& at(int k) const;

    std::vector<Point> points_;
    int start_ = 0;
    EditMode mode_ = emMove;
    int held_ = -1;
    KDPoint last_;
    bool pressed_ = false;
    KDRect box_;
    int cx_ = 0, cy_ = 0;
    double sx_ = 1, sy_ = 1;
    std::array<std::array<float, kCurveVertices>, 4> weights_;
};
