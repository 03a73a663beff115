#include "ui/KDDWKnob.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ui/KDBevel.h"

namespace {
constexpr int kTickBand = 4;
constexpr int kTickGap = 3;
constexpr double kStep = 0.01;       // position per pixel of drag
constexpr double kFineStep = 0.001;  // with Ctrl
}  // namespace

void KDDWKnob::SetRange(double min, double max) {
    const double v = Value();
    scale_.Min = min;
    scale_.Max = max;
    position_ = scale_.PositionOf(v);
    Invalidate();
}

void KDDWKnob::SetMin(double v) { SetRange(v, scale_.Max); }
void KDDWKnob::SetMax(double v) { SetRange(scale_.Min, v); }

void KDDWKnob::SetValue(double v) {
    const double p = scale_.PositionOf(v);
    if (p == position_) return;
    position_ = p;
    Invalidate();
    if (!Loading && OnChange) OnChange(*this, v);
}

void KDDWKnob::SetFrequency(double f) {
    ticks_.Frequency = f;
    Invalidate();
}

void KDDWKnob::SetTickStyle(KDTickStyle s) {
    ticks_.TickStyle = s;
    Invalidate();
}

void KDDWKnob::AddTick(double value) {
    ticks_.AddTick(value);
    Invalidate();
}

void KDDWKnob::ClearTicks() {
    ticks_.ClearTicks();
    Invalidate();
}

void KDDWKnob::SetScale(KDKnobScale s) {
    const double v = Value();
    scaleKind_ = s;
    scale_.Kind = s == ksLogarithmic ? KDScaleKind::Logarithmic : KDScaleKind::Linear;
    position_ = scale_.PositionOf(v);
    Invalidate();
}

double KDDWKnob::AngleOf(double p) { return (1.5 * p + 0.25) * std::numbers::pi; }

void KDDWKnob::PointAt(const KDRect& r, double a, double& x, double& y) {
    x = r.left + r.Width() * (1.0 - std::sin(a)) / 2.0;
    y = r.top + r.Height() * (1.0 + std::cos(a)) / 2.0;
}

KDRect KDDWKnob::KnobRect() const {
    const int size = std::min(Width(), Height());
    const int l = (Width() - size) / 2, t = (Height() - size) / 2;
    return {l, t, l + size, t + size};
}

KDRect KDDWKnob::RingRect() const {
    const KDRect k = KnobRect();
    if (TickStyle() == tsNone) return k;
    return k.Inflated(-(kTickBand + kTickGap), -(kTickBand + kTickGap));
}

void KDDWKnob::MouseDown(const KDMouseEvent& e) {
    if (e.button == KDMouseButton::Left && Enabled()) {
        dragging_ = true;
        lastY_ = e.y;
        SetMouseCapture(true);
    }
    FireMouseDown(e);
}

void KDDWKnob::MouseMove(const KDMouseEvent& e) {
    if (dragging_) {
        const int dy = e.y - lastY_;
        lastY_ = e.y;
        const double step = e.Has(ssCtrl) ? kFineStep : kStep;
        const double p = std::clamp(position_ - step * dy, 0.0, 1.0);
        if (p != position_) {
            position_ = p;
            Invalidate();
            if (OnChange) OnChange(*this, Value());
        }
    }
    FireMouseMove(e);
}

void KDDWKnob::MouseUp(const KDMouseEvent& e) {
    if (e.button == KDMouseButton::Left && dragging_) {
        dragging_ = false;
        SetMouseCapture(false);
    }
    FireMouseUp(e);
    if (e.button == KDMouseButton::Left && ClientRect().Contains(e.x, e.y)) FireClick();
}

void KDDWKnob::Paint(KDCanvas& c) {
    const KDRect knob = KnobRect();
    if (knob.Width() < 4) return;
    const KDColor face = c.Sys(KDSysColor::BtnFace);

    // Tick marks in the outer band, pointing at the centre.
    if (TickStyle() != tsNone) {
        const KDColor tick =
            Enabled() ? c.Sys(KDSysColor::WindowText) : c.Sys(KDSysColor::GrayText);
        const KDRect inner = knob.Inflated(-kTickBand, -kTickBand);
        auto mark = [&](double p) {
            double x0, y0, x1, y1;
            const double a = AngleOf(p);
            PointAt(knob, a, x0, y0);
            PointAt(inner, a, x1, y1);
            c.Line({int(std::lround(x0)), int(std::lround(y0))},
                   {int(std::lround(x1)), int(std::lround(y1))}, tick);
        };
        ticks_.ForEach(scale_, mark);
    }

    // The raised ring: an outline, light towards the upper left and shadow towards the lower
    // right, around a face with a faint inner ring.
    const KDRect ring = RingRect();
    c.FillEllipse(ring, c.Sys(KDSysColor::BtnShadow));
    c.FillEllipse(ring.Inflated(-1, -1), face);
    const KDRect bevel = ring.Inflated(-1, -1);
    c.Arc(bevel, 45, 180, c.Sys(KDSysColor::BtnHighlight), 2);
    c.Arc(bevel, 225, 180, c.Sys(KDSysColor::BtnShadow), 2);
    const KDRect cap = ring.Inflated(-ring.Width() / 5, -ring.Height() / 5);
    c.Arc(cap, 45, 180, c.Sys(KDSysColor::BtnShadow), 1);
    c.Arc(cap, 225, 180, c.Sys(KDSysColor::BtnHighlight), 1);

    // The pointer: a wedge whose wide end spans +-0.08 radian at the rim and whose point lies a
    // third of the way from the centre, with its long edges shaded by the light from the upper
    // left.
    const double a = AngleOf(position_);
    const KDRect rim = ring.Inflated(-3, -3);
    const double cx = (rim.left + rim.right - 1) / 2.0, cy = (rim.top + rim.bottom - 1) / 2.0;
    const double rx = (rim.Width() - 1) / 2.0, ry = (rim.Height() - 1) / 2.0;
    auto at = [&](double angle, double k) {
        return KDPoint{int(std::lround(cx - rx * k * std::sin(angle))),
                       int(std::lround(cy + ry * k * std::cos(angle)))};
    };
    const double spread = std::max(0.08, 1.5 / std::max(rx, 1.0));  // at least 3 pixels wide
    const KDPoint tipA = at(a - spread, 1.0), tipB = at(a + spread, 1.0);
    const KDPoint base = at(a, 1.0 / 3.0);
    const KDPoint tri[3] = {tipA, tipB, base};
    const KDColor pointer = Enabled() ? c.Sys(KDSysColor::DkShadow3D) : c.Sys(KDSysColor::GrayText);
    c.FillPolygon(tri, 3, pointer);
}
