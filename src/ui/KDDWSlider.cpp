#include "ui/KDDWSlider.h"

#include <algorithm>
#include <cmath>

#include "ui/KDBevel.h"

void KDDWSlider::SetRange(double min, double max) {
    const double v = Value();
    scale_.Min = min;
    scale_.Max = max;
    position_ = scale_.PositionOf(v);
    Invalidate();
}

void KDDWSlider::SetMin(double v) { SetRange(v, scale_.Max); }
void KDDWSlider::SetMax(double v) { SetRange(scale_.Min, v); }

void KDDWSlider::SetValue(double v) {
    const double p = scale_.PositionOf(v);
    if (p == position_) return;
    position_ = p;
    Invalidate();
}

void KDDWSlider::SetFrequency(double f) { ticks_.Frequency = f, Invalidate(); }
void KDDWSlider::SetTickStyle(KDTickStyle s) { ticks_.TickStyle = s, Invalidate(); }
void KDDWSlider::AddTick(double value) { ticks_.AddTick(value), Invalidate(); }
void KDDWSlider::ClearTicks() { ticks_.ClearTicks(), Invalidate(); }
void KDDWSlider::SetEndTicks(bool on) { endTicks_ = on, Invalidate(); }
void KDDWSlider::SetOrientation(KDSliderOrientation o) { orientation_ = o, Invalidate(); }

void KDDWSlider::SetScale(KDSliderScale s) {
    const double v = Value();
    scaleKind_ = s;
    scale_.Kind = s == scLinear        ? KDScaleKind::Linear
                  : s == scLogarithmic ? KDScaleKind::Logarithmic
                                       : KDScaleKind::Octave;
    position_ = scale_.PositionOf(v);
    Invalidate();
}

int KDDWSlider::Travel() const { return std::max(Length() - kThumbLength, 1); }

KDRect KDDWSlider::Across(int from, int to, int lo, int hi) const {
    // from/to along the slider from the Min end; lo/hi across it.
    if (orientation_ == soVertical) return {lo, Height() - to, hi, Height() - from};
    return {from, lo, to, hi};
}

KDRect KDDWSlider::ThumbRect() const {
    const int thickness = orientation_ == soVertical ? Width() : Height();
    const int band = TickStyle() != tsNone || endTicks_ ? kTickBand : 0;
    // The 11 thumb pixels centred on ThumbCentre, so the thumb exactly fills the ends.
    const int start = int(std::lround(ThumbCentre() - 6.5));
    return Across(start, start + kThumbLength, band + 1, thickness - 1);
}

void KDDWSlider::MouseDown(const KDMouseEvent& e) {
    if (e.button == KDMouseButton::Left && Enabled()) {
        pressed_ = true;
        last_ = {e.x, e.y};
        SetMouseCapture(true);
        Invalidate();
    }
    FireMouseDown(e);
}

void KDDWSlider::MouseMove(const KDMouseEvent& e) {
    if (pressed_) {
        // Upward and rightward movement count positive.
        const int along = orientation_ == soVertical ? last_.y - e.y : e.x - last_.x;
        last_ = {e.x, e.y};
        double delta = double(along) / Travel();
        if (e.Has(ssCtrl)) delta /= 10.0;
        const double p = std::clamp(position_ + delta, 0.0, 1.0);
        if (p != position_) {
            position_ = p;
            Invalidate();
            if (OnChange) OnChange(*this, Value());
        }
    }
    FireMouseMove(e);
}

void KDDWSlider::MouseUp(const KDMouseEvent& e) {
    if (e.button == KDMouseButton::Left && pressed_) {
        pressed_ = false;
        SetMouseCapture(false);
        Invalidate();
    }
    FireMouseUp(e);
    if (e.button == KDMouseButton::Left && ClientRect().Contains(e.x, e.y)) FireClick();
}

void KDDWSlider::Paint(KDCanvas& c) {
    const int thickness = orientation_ == soVertical ? Width() : Height();
    const bool hasBand = TickStyle() != tsNone || endTicks_;
    const int band = hasBand ? kTickBand : 0;
    const KDColor shadow = c.Sys(KDSysColor::BtnShadow);
    const KDColor light = c.Sys(KDSysColor::BtnHighlight);

    // Engraved tick marks in the band: a shadow line with a light line beside it.
    auto tick = [&](double p, int length) {
        const int at = int(std::lround(p * (Length() - kThumbLength))) + 5;
        const KDRect dark = Across(at, at + 1, band - length, band - 1);
        const KDRect lit = Across(at + 1, at + 2, band - length, band - 1);
        c.FillRect(orientation_ == soVertical ? lit : dark, shadow);
        c.FillRect(orientation_ == soVertical ? dark : lit, light);
    };
    if (hasBand) {
        ticks_.ForEach(scale_, [&](double p) { tick(p, 3); });
        if (endTicks_) {
            tick(0.0, 5);
            tick(1.0, 5);
        }
    }

    // The groove along the middle of the remaining width.
    const int mid = band + (thickness - band) / 2;
    KDRect groove = Across(4, Length() - 4, mid - 2, mid + 2);
    c.FillRect(groove, c.Sys(KDSysColor::Window));
    KDBevel::Sunken(c, groove);

    // The thumb, raised, or sunken while it is held.
    const KDRect thumb = ThumbRect();
    c.FillRect(thumb, c.Sys(KDSysColor::BtnFace));
    if (pressed_)
        KDBevel::Sunken(c, thumb);
    else
        KDBevel::Raised(c, thumb);
    const int centre = int(std::lround(ThumbCentre() - 6.5)) + 5;
    const KDRect grip = Across(centre, centre + 1, band + 4, thickness - 4);
    c.FillRect(grip, Enabled() ? c.Sys(KDSysColor::DkShadow3D) : c.Sys(KDSysColor::GrayText));
}
