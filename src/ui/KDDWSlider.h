#pragma once

#include <functional>

#include "ui/KDControl.h"
#include "ui/KDTicks.h"
#include "ui/KDValueScale.h"

enum KDSliderScale { scLinear, scLogarithmic, scOctave };
enum KDSliderOrientation { soHorizontal, soVertical };

// A linear slider with one 11-pixel thumb; Min at the bottom (or left), Max at the top (or
// right). Dragging moves the thumb by the mouse's movement; Ctrl makes it ten times finer.
class KDDWSlider : public KDControl {
public:
    using ChangeEvent = std::function<void(KDDWSlider& sender, double value)>;
    static constexpr int kThumbLength = 11;
    static constexpr int kTickBand = 5;

    KDDWSlider(int width = 24, int height = 100) : KDControl(width, height) {}

    double Min() const { return scale_.Min; }
    double Max() const { return scale_.Max; }
    void SetMin(double v);
    void SetMax(double v);
    double Value() const { return scale_.ValueAt(position_); }
    void SetValue(double v);  // never fires OnChange
    double Position() const { return position_; }

    double Frequency() const { return ticks_.Frequency; }
    void SetFrequency(double f);
    KDTickStyle TickStyle() const { return ticks_.TickStyle; }
    void SetTickStyle(KDTickStyle s);
    void AddTick(double value);
    void ClearTicks();
    bool EndTicks() const { return endTicks_; }
    void SetEndTicks(bool on);
    KDSliderOrientation Orientation() const { return orientation_; }
    void SetOrientation(KDSliderOrientation o);
    KDSliderScale Scale() const { return scaleKind_; }
    void SetScale(KDSliderScale s);

    ChangeEvent OnChange;

    bool ThumbPressed() const { return pressed_; }
    int Length() const { return orientation_ == soVertical ? Height() : Width(); }
    int Travel() const;
    // Distance of the thumb's centre from the Min end.
    double ThumbCentre() const { return 6.5 + position_ * (Length() - kThumbLength); }
    KDRect ThumbRect() const;

    void Paint(KDCanvas& c) override;
    void MouseDown(const KDMouseEvent& e) override;
    void MouseMove(const KDMouseEvent& e) override;
    void MouseUp(const KDMouseEvent& e) override;

private:
    void SetRange(double min, double max);
    // A track offset from the Min end, as a client rectangle across the slider.
    KDRect Across(int from, int to, int lo, int hi) const;

    KDValueScale scale_;
    KDSliderScale scaleKind_ = scLinear;
    KDTicks ticks_;
    bool endTicks_ = true;
    KDSliderOrientation orientation_ = soVertical;
    double position_ = 0.0;
    bool pressed_ = false;
    KDPoint last_;
};
