#pragma once

#include <functional>

#include "ui/KDControl.h"
#include "ui/KDTicks.h"
#include "ui/KDValueScale.h"

enum KDKnobScale { ksLinear, ksLogarithmic };

// A rotary knob sweeping 270 degrees from the lower left (Min) through the top to the lower
// right (Max). Dragging up turns it up; Ctrl makes the drag ten times finer.
class KDDWKnob : public KDControl {
public:
    using ChangeEvent = std::function<void(KDDWKnob& sender, double value)>;

    KDDWKnob(int width = 40, int height = 40) : KDControl(width, height) {}

    double Min() const { return scale_.Min; }
    double Max() const { return scale_.Max; }
    void SetMin(double v);
    void SetMax(double v);
    double Value() const { return scale_.ValueAt(position_); }
    // Fires OnChange with v itself when the pointer moves (unless Loading).
    void SetValue(double v);
    double Position() const { return position_; }

    double Frequency() const { return ticks_.Frequency; }
    void SetFrequency(double f);
    KDTickStyle TickStyle() const { return ticks_.TickStyle; }
    void SetTickStyle(KDTickStyle s);
    void AddTick(double value);
    void ClearTicks();
    KDKnobScale Scale() const { return scaleKind_; }
    void SetScale(KDKnobScale s);

    // Set while the owner fills the knob from stored settings: value changes are not reported.
    bool Loading = false;

    ChangeEvent OnChange;

    // Geometry.
    static double AngleOf(double position);
    // The point at `angle` on the circle inscribed in r.
    static void PointAt(const KDRect& r, double angle, double& x, double& y);
    KDRect KnobRect() const;  // the largest centred square
    KDRect RingRect() const;  // the knob less the tick band

    void Paint(KDCanvas& c) override;
    void MouseDown(const KDMouseEvent& e) override;
    void MouseMove(const KDMouseEvent& e) override;
    void MouseUp(const KDMouseEvent& e) override;

private:
    void SetRange(double min, double max);

    KDValueScale scale_;
    KDKnobScale scaleKind_ = ksLinear;
    KDTicks ticks_;
    double position_ = 0.0;
    bool dragging_ = false;
    int lastY_ = 0;
};
