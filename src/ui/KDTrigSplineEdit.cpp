#include "ui/KDTrigSplineEdit.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "ui/KDCanvas.h"

namespace {

constexpr KDColor kTeal{0, 128, 128};
constexpr KDColor kGreen{0, 255, 0};
constexpr KDColor kRed{255, 0, 0};
constexpr KDColor kBlue{0, 0, 255};
constexpr KDColor kBlack{0, 0, 0};

std::string number(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", double(v));
    return buf;
}

// A number of the text from `from` up to the next comma (or the end); false when there is none.
bool readNumber(std::string_view text, std::size_t& from, float& value) {
    if (from >= text.size()) return false;
    std::size_t end = text.find(',', from);
    if (end == std::string_view::npos) end = text.size();
    std::string_view field = text.substr(from, end - from);
    while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
    while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
    const auto [ptr, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec != std::errc() || ptr != field.data() + field.size() || !std::isfinite(value))
        return false;
    from = end;
    return true;
}

// Whether segment a-b crosses segment c-d (touching counts).
bool crosses(KDPoint a, KDPoint b, KDPoint c, KDPoint d) {
    auto side = [](KDPoint p, KDPoint q, KDPoint r) {
        const long long v =
            (long long)(q.x - p.x) * (r.y - p.y) - (long long)(q.y - p.y) * (r.x - p.x);
        return v > 0 ? 1 : v < 0 ? -1 : 0;
    };
    auto within = [](KDPoint p, KDPoint q, KDPoint r) {
        return std::min(p.x, q.x) <= r.x && r.x <= std::max(p.x, q.x) &&
               std::min(p.y, q.y) <= r.y && r.y <= std::max(p.y, q.y);
    };
    const int d1 = side(c, d, a), d2 = side(c, d, b), d3 = side(a, b, c), d4 = side(a, b, d);
    if (d1 * d2 < 0 && d3 * d4 < 0) return true;
    return (d1 == 0 && within(c, d, a)) || (d2 == 0 && within(c, d, b)) ||
           (d3 == 0 && within(a, b, c)) || (d4 == 0 && within(a, b, d));
}

}  // namespace

KDTrigSplineEdit::KDTrigSplineEdit(int width, int height)
    : KDControl(width, height), points_{{0.0f, 0.5f}, {-0.5f, -0.2f}, {0.5f, -0.2f}} {
    for (int i = 0; i < kCurveVertices; ++i) {
        const float t = float(i) / 256.0f * 1.5707963f;
        const float c = std::cos(t), s = std::sin(t);
        weights_[0][i] = 0.5f * c * (c - 1.0f);
        weights_[1][i] = 0.5f * s * (s + 1.0f);
        weights_[2][i] = 0.5f * c * (c + 1.0f);
        weights_[3][i] = 0.5f * s * (s - 1.0f);
    }
    updateMapping();
}

std::string KDTrigSplineEdit::CommaText() const {
    std::string text;
    const int n = SegmentCount();
    for (int k = 0; k < n; ++k) {
        const Point& p = points_[(start_ + k) % n];
        if (k > 0) text += ", ";
        text += number(p.x) + "," + number(p.y);
    }
    return text;
}

void KDTrigSplineEdit::SetCommaText(std::string_view text) {
    std::vector<Point> read;
    std::size_t at = 0;
    while (at < text.size()) {
        Point p{};
        if (!readNumber(text, at, p.x) || at >= text.size()) return;
        ++at;  // the comma between x and y
        if (!readNumber(text, at, p.y)) return;
        read.push_back(p);
        at += 2;  // the comma and the blank before the next pair
    }
    if (read.size() < 3) return;
    points_ = std::move(read);
    start_ = 0;
    Invalidate();
}

void KDTrigSplineEdit::updateMapping() {
    cx_ = Width() / 2;
    cy_ = Height() / 2;
    sx_ = (Width() - 3) / 2.0;
    sy_ = (Height() - 3) / 2.0;
}

void KDTrigSplineEdit::Resized(int, int) {
    updateMapping();
    startMove();
    Invalidate();
}

KDPoint KDTrigSplineEdit::ScreenOf(Point p) const {
    return {int(std::trunc(cx_ + p.x * sx_)), int(std::trunc(cy_ - p.y * sy_))};
}

KDTrigSplineEdit::Point KDTrigSplineEdit::PointAt(int x, int y) const {
    return {std::clamp(float((x - cx_) / sx_), -kLimit, kLimit),
            std::clamp(float((cy_ - y) / sy_), -kLimit, kLimit)};
}

const KDTrigSplineEdit::Point& KDTrigSplineEdit::at(int k) const {
    const int n = SegmentCount();
    return points_[((k % n) + n) % n];
}

void KDTrigSplineEdit::SegmentVertices(int k, std::array<KDPoint, kCurveVertices>& v) const {
    const Point &a = at(k - 3), &b = at(k - 2), &c = at(k - 1), &d = at(k);
    for (int i = 0; i < kCurveVertices; ++i) {
        const Point p{weights_[0][i] * a.x + weights_[1][i] * b.x + weights_[2][i] * c.x +
                          weights_[3][i] * d.x,
                      weights_[0][i] * a.y + weights_[1][i] * b.y + weights_[2][i] * c.y +
                          weights_[3][i] * d.y};
        v[i] = ScreenOf(p);
    }
}

void KDTrigSplineEdit::Paint(KDCanvas& canvas) {
    const KDRect client{0, 0, Width(), Height()};
    canvas.FillRect(client, kBlack);
    canvas.FrameRect(client, kTeal);
    std::array<KDPoint, kCurveVertices> v;
    for (int k = 0; k < SegmentCount(); ++k) {
        SegmentVertices(k, v);
        for (int i = 1; i < kCurveVertices; ++i) canvas.Line(v[i - 1], v[i], kTeal);
    }
    for (int k = 0; k < SegmentCount(); ++k) {
        const KDPoint s = ScreenOf(points_[k]);
        const KDRect square{s.x - 2, s.y - 2, s.x + 3, s.y + 3};
        canvas.FillRect(square, k == start_ ? kRed : kBlack);
        canvas.FrameRect(square, k == start_ ? kRed : kGreen);
    }
    canvas.Line({cx_ - 4, cy_}, {cx_ + 5, cy_}, kBlue);
    canvas.Line({cx_, cy_ - 4}, {cx_, cy_ + 5}, kBlue);
}

int KDTrigSplineEdit::pointAtPixel(int x, int y) const {
    for (int k = 0; k < SegmentCount(); ++k) {
        const KDPoint s = ScreenOf(points_[k]);
        if (s.x - 2 <= x && x <= s.x + 3 && s.y - 2 <= y && y <= s.y + 3) return k;
    }
    return -1;
}

int KDTrigSplineEdit::segmentAt(int x, int y) const {
    const KDPoint d1a{x - 4, y - 4}, d1b{x + 4, y + 4}, d2a{x - 4, y + 4}, d2b{x + 4, y - 4};
    std::array<KDPoint, kCurveVertices> v;
    for (int k = 0; k < SegmentCount(); ++k) {
        SegmentVertices(k, v);
        for (int i = 4; i < kCurveVertices; i += 4)
            if (crosses(v[i - 4], v[i], d1a, d1b) || crosses(v[i - 4], v[i], d2a, d2b)) return k;
    }
    return -1;
}

void KDTrigSplineEdit::startMove() {
    if (points_.empty()) return;
    KDPoint s = ScreenOf(points_[0]);
    box_ = {s.x, s.y, s.x, s.y};
    for (const Point& p : points_) {
        s = ScreenOf(p);
        box_.left = std::min(box_.left, s.x);
        box_.top = std::min(box_.top, s.y);
        box_.right = std::max(box_.right, s.x);
        box_.bottom = std::max(box_.bottom, s.y);
    }
    box_ = {box_.left - 5, box_.top - 5, box_.right + 5, box_.bottom + 5};
}

void KDTrigSplineEdit::MouseDown(const KDMouseEvent& e) {
    pressed_ = true;
    last_ = {e.x, e.y};
    SetMouseCapture(true);
    held_ = -1;
    const int found = pointAtPixel(e.x, e.y);
    if (e.Has(ssCtrl)) {
        if (found >= 0 && SegmentCount() > 3) {
            points_.erase(points_.begin() + found);
            if (start_ >= found) start_ = std::max(0, start_ - 1);
            Invalidate();
        }
    } else if (e.Has(ssShift)) {
        if (found >= 0) {
            start_ = found;
            Invalidate();
        }
    } else if (found >= 0) {
        held_ = found;
    } else if (const int k = segmentAt(e.x, e.y); k >= 0) {
        const int index = ((k - 1) % SegmentCount() + SegmentCount()) % SegmentCount();
        points_.insert(points_.begin() + index, PointAt(e.x, e.y));
        if (start_ >= index) ++start_;
        held_ = index;
        Invalidate();
    }
    mode_ = held_ >= 0 ? emEdit : emMove;
    if (mode_ == emMove) startMove();
    FireMouseDown(e);
}

void KDTrigSplineEdit::moveAll(int dx, int dy) {
    // The widened box of all points stays inside the client area; dy counts upwards.
    int sdy = -dy;
    if (box_.left + dx < 0) dx = -box_.left;
    if (box_.right + dx > Width()) dx = Width() - box_.right;
    if (box_.top + sdy < 0) sdy = -box_.top;
    if (box_.bottom + sdy > Height()) sdy = Height() - box_.bottom;
    for (Point& p : points_) {
        p.x += float(dx / sx_);
        p.y += float(-sdy / sy_);
    }
    box_ = {box_.left + dx, box_.top + sdy, box_.right + dx, box_.bottom + sdy};
}

void KDTrigSplineEdit::MouseMove(const KDMouseEvent& e) {
    if (pressed_) {
        const int dx = e.x - last_.x, dy = -(e.y - last_.y);
        last_ = {e.x, e.y};
        if (mode_ == emEdit && held_ >= 0 && held_ < SegmentCount()) {
            Point& p = points_[held_];
            p.x = std::clamp(float(p.x + dx / sx_), -kLimit, kLimit);
            p.y = std::clamp(float(p.y + dy / sy_), -kLimit, kLimit);
        } else if (mode_ == emMove) {
            moveAll(dx, dy);
        }
        Invalidate();
    }
    FireMouseMove(e);
}

void KDTrigSplineEdit::MouseUp(const KDMouseEvent& e) {
    const bool wasPressed = pressed_;
    pressed_ = false;
    held_ = -1;
    SetMouseCapture(false);
    FireMouseUp(e);
    const bool over = e.x >= 0 && e.y >= 0 && e.x < Width() && e.y < Height();
    if (wasPressed && over && OnChange) OnChange(*this);
}
