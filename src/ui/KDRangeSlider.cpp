#include "ui/KDRangeSlider.h"

#include <algorithm>
#include <cmath>

#include "ui/KDBevel.h"

void KDRangeSlider::SetRange(double min, double max) {
    const double v0 = Value0(), v1 = Value1();
    scale_.Min = min;
    scale_.Max = max;
    p0_ = scale_.PositionOf(v0);
    p1_ = std::max(p0_, scale_.PositionOf(v1));
    Invalidate();
}

void KDRangeSlider::SetMin(double v) { SetRange(v, scale_.Max); }
void KDRangeSlider::SetMax(double v) { SetRange(scale_.Min, v); }

void KDRangeSlider::SetValue0(double v) {
    p0_ = scale_.PositionOf(v);
    p1_ = std::max(p1_, p0_);
    Invalidate();
}

void KDRangeSlider::SetValue1(double v) {
    p1_ = scale_.PositionOf(v);
    p0_ = std::min(p0_, p1_);
    Invalidate();
}

void KDRangeSlider::SetScale(KDRangeSliderScale s) {
    const double v0 = Value0(), v1 = Value1();
    scaleKind_ = s;
    scale_.Kind = s == rscLinear        ? KDScaleKind::Linear
                  : s == rscLogarithmic ? KDScaleKind::Logarithmic
                                        : KDScaleKind::Octave;
    p0_ = scale_.PositionOf(v0);
    p1_ = std::max(p0_, scale_.PositionOf(v1));
    Invalidate();
}

int KDRangeSlider::Travel() const { return std::max(Length() - 2 * kThumbLength, 1); }

KDRangeSlider::Grab KDRangeSlider::GrabAt(double d) const {
    const double L = Travel();
    if (d >= p1_ * L + 7 && d <= p1_ * L + 15) return Grab::High;
    if (d >= p0_ * L && d <= p0_ * L + 8) return Grab::Low;
    return Grab::Track;
}

void KDRangeSlider::Deltas(Grab g, bool alt, bool shift, double m, double& d0, double& d1) {
    // Which thumbs follow the mouse, and which way, for each grab and modifier pair.
    struct Row {
        double low, high;
    };
    static constexpr Row kHigh[4] = {{0, 1}, {1, 1}, {1, 0}, {-1, 1}};
    static constexpr Row kLow[4] = {{1, 0}, {1, 1}, {0, 1}, {1, -1}};
    static constexpr Row kTrack[4] = {{1, 1}, {0, 1}, {1, 0}, {-1, 1}};
    const int row = (alt ? 2 : 0) + (shift ? 1 : 0);
    const Row* table = g == Grab::High ? kHigh : g == Grab::Low ? kLow : kTrack;
    if (g == Grab::None) {
        d0 = d1 = 0.0;
        return;
    }
    d0 = table[row].low * m;
    d1 = table[row].high * m;
}

void KDRangeSlider::Apply(double& p0, double& p1, double d0, double d1) {
    if (p0 + d0 < 0.0) {
        // The low thumb hits the bottom; a thumb moving with it (or against it) keeps the
        // same amount.
        d0 = -p0;
        if (d1 != 0.0) d1 = d1 >= 0.0 ? -d0 : d0;
    }
    if (p1 + d1 > 1.0) {
        d1 = 1.0 - p1;
        if (d0 != 0.0) {
            d0 = d0 > 0.0 ? d1 : -d1;
        } else if (p0 > p1 + d1) {
            d1 = p0 - p1;
        }
    }
    if (p1 + d1 < p0 + d0) {
        if (d0 != 0.0) {
            d0 = p1 - p0;
            if (d1 != 0.0) {
                d0 = (p1 - p0) / 2.0;
                d1 = -(p1 - p0) / 2.0;
            }
        } else {
            d1 = -(p1 - p0);
        }
    }
    p0 = std::max(p0 + d0, 0.0);
    p1 = std::min(p1 + d1, 1.0);
    if (p0 > p1) p0 = p1;  // guards against rounding only
}

bool KDRangeSlider::LowPressed() const {
    double d0, d1;
    Deltas(grab_, modifiers_ & ssAlt, modifiers_ & ssShift, 1.0, d0, d1);
    return d0 != 0.0;
}

bool KDRangeSlider::HighPressed() const {
    double d0, d1;
    Deltas(grab_, modifiers_ & ssAlt, modifiers_ & ssShift, 1.0, d0, d1);
    return d1 != 0.0;
}

double KDRangeSlider::AlongOf(int x, int y) const {
    return orientation_ == rsVertical ? double(Height() - 1 - y) : double(x);
}

void KDRangeSlider::SetModifiers(unsigned shift) {
    const unsigned m = shift & (ssShift | ssAlt);
    if (m == modifiers_) return;
    modifiers_ = m;
    Invalidate();
}

void KDRangeSlider::MouseDown(const KDMouseEvent& e) {
    if (e.button == KDMouseButton::Left && Enabled()) {
        lastAlong_ = AlongOf(e.x, e.y);
        grab_ = GrabAt(lastAlong_);
        modifiers_ = e.shift & (ssShift | ssAlt);
        RequestFocus();
        SetMouseCapture(true);
        Invalidate();
    }
    FireMouseDown(e);
}

void KDRangeSlider::MouseMove(const KDMouseEvent& e) {
    if (grab_ != Grab::None) {
        SetModifiers(e.shift);
        const double along = AlongOf(e.x, e.y);
        double m = (along - lastAlong_) / Travel();
        lastAlong_ = along;
        if (e.Has(ssCtrl)) m /= 10.0;
        double d0, d1;
        Deltas(grab_, e.Has(ssAlt), e.Has(ssShift), m, d0, d1);
        const double old0 = p0_, old1 = p1_;
        Apply(p0_, p1_, d0, d1);
        if (p0_ != old0 || p1_ != old1) {
            Invalidate();
            if (OnChange) OnChange(*this, Value0(), Value1());
        }
    }
    FireMouseMove(e);
}

void KDRangeSlider::MouseUp(const KDMouseEvent& e) {
    if (e.button == KDMouseButton::Left && grab_ != Grab::None) {
        grab_ = Grab::None;
        SetMouseCapture(false);
        Invalidate();
    }
    FireMouseUp(e);
    if (e.button == KDMouseButton::Left && ClientRect().Contains(e.x, e.y)) FireClick();
}

bool KDRangeSlider::KeyDown(const KDKeyEvent& e) {
    if (grab_ == Grab::None) return false;
    SetModifiers(e.shift);
    return e.key == KDKey::Shift || e.key == KDKey::Alt;
}

bool KDRangeSlider::KeyUp(const KDKeyEvent& e) { return KeyDown(e); }

KDRect KDRangeSlider::Across(int from, int to, int lo, int hi) const {
    if (orientation_ == rsVertical) return {lo, Height() - to, hi, Height() - from};
    return {from, lo, to, hi};
}

void KDRangeSlider::Paint(KDCanvas& c) {
    const int thickness = orientation_ == rsVertical ? Width() : Height();
    const bool hasBand = TickStyle() != tsNone || endTicks_;
    const int band = hasBand ? kTickBand : 0;
    const double L = Travel();
    const KDColor shadow = c.Sys(KDSysColor::BtnShadow);
    const KDColor light = c.Sys(KDSysColor::BtnHighlight);

    // Ticks are placed where the middle of the range's ends would be: between the thumbs.
    auto tick = [&](double p, int length) {
        const int at = int(std::lround(p * L + 7.5)) - 1;
        const KDRect a = Across(at, at + 1, band - length, band - 1);
        const KDRect b = Across(at + 1, at + 2, band - length, band - 1);
        c.FillRect(orientation_ == rsVertical ? b : a, shadow);
        c.FillRect(orientation_ == rsVertical ? a : b, light);
    };
    if (hasBand) {
        ticks_.ForEach(scale_, [&](double p) { tick(p, 3); });
        if (endTicks_) {
            tick(0.0, 5);
            tick(1.0, 5);
        }
    }

    const int mid = band + (thickness - band) / 2;
    const KDRect groove = Across(3, Length() - 3, mid - 2, mid + 2);
    c.FillRect(groove, c.Sys(KDSysColor::Window));
    KDBevel::Sunken(c, groove);

    // The chosen range is shown filled between the thumbs.
    const int lowEnd = int(std::lround(p0_ * L)) + kThumbLength;
    const int highStart = int(std::lround(p1_ * L)) + 7;
    if (highStart > lowEnd)
        c.FillRect(Across(lowEnd, highStart, mid - 1, mid + 1),
                   Enabled() ? c.Sys(KDSysColor::Highlight) : c.Sys(KDSysColor::GrayText));

    auto thumb = [&](int from, bool pressed) {
        const KDRect r = Across(from, from + kThumbLength, band + 1, thickness - 1);
        c.FillRect(r, c.Sys(KDSysColor::BtnFace));
        if (pressed)
            KDBevel::Sunken(c, r);
        else
            KDBevel::Raised(c, r);
    };
    thumb(int(std::lround(p0_ * L)), LowPressed());
    thumb(int(std::lround(p1_ * L)) + 7, HighPressed());
}
