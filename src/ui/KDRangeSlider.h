#pragma once

#include <functional>

#include "ui/KDControl.h"
#include "ui/KDTicks.h"
#include "ui/KDValueScale.h"

enum KDRangeSliderOrientation { rsHorizontal, rsVertical };
enum KDRangeSliderScale { rscLinear, rscLogarithmic, rscOctave };

// A slider with a low and a high thumb. Dragging a thumb moves it; dragging the track between
// them moves both; Shift and Alt choose other pairings (moving together, mirrored, or one only).
// The thumbs never cross.
class KDRangeSlider : public KDControl {
public:
    using ChangeEvent = std::function<void(KDRangeSlider& sender, double value0, double value1)>;
    static constexpr int kThumbLength = 8;
    static constexpr int kTickBand = 5;

    enum class Grab { None, Low, High, Track };

    KDRangeSlider(int width = 24, int height = 100) : KDControl(width, height) {}

    double Min() const { return scale_.Min; }
    double Max() const { return scale_.Max; }
    void SetMin(double v);
    void SetMax(double v);
    double Value0() const { return scale_.ValueAt(p0_); }
    double Value1() const { return scale_.ValueAt(p1_); }
    // Never fire OnChange. A low value above the high one pushes the high thumb along (and the
    // other way round), so that setting both in either order gives the range asked for.
    void SetValue0(double v);
    void SetValue1(double v);
    double Position0() const { return p0_; }
    double Position1() const { return p1_; }

    double Frequency() const { return ticks_.Frequency; }
    void SetFrequency(double f) { ticks_.Frequency = f, Invalidate(); }
    KDTickStyle TickStyle() const { return ticks_.TickStyle; }
    void SetTickStyle(KDTickStyle s) { ticks_.TickStyle = s, Invalidate(); }
    void AddTick(double v) { ticks_.AddTick(v), Invalidate(); }
    void ClearTicks() { ticks_.ClearTicks(), Invalidate(); }
    const std::vector<double>& ManualTicks() const { return ticks_.ManualTicks(); }
    bool EndTicks() const { return endTicks_; }
    void SetEndTicks(bool on) { endTicks_ = on, Invalidate(); }
    KDRangeSliderOrientation Orientation() const { return orientation_; }
    void SetOrientation(KDRangeSliderOrientation o) { orientation_ = o, Invalidate(); }
    KDRangeSliderScale Scale() const { return scaleKind_; }
    void SetScale(KDRangeSliderScale s);

    ChangeEvent OnChange;

    int Length() const { return orientation_ == rsVertical ? Height() : Width(); }
    int Travel() const;
    // Which part a press at distance d from the Min end takes.
    Grab GrabAt(double d) const;
    Grab Grabbed() const { return grab_; }
    bool LowPressed() const;
    bool HighPressed() const;

    // The deltas of the two positions for a movement m, grab and modifiers, before limiting.
    static void Deltas(Grab g, bool alt, bool shift, double m, double& d0, double& d1);
    // Limits the deltas so that 0 <= p0 <= p1 <= 1 afterwards, and applies them.
    static void Apply(double& p0, double& p1, double d0, double d1);

    bool AcceptsFocus() const override { return true; }
    void Paint(KDCanvas& c) override;
    void MouseDown(const KDMouseEvent& e) override;
    void MouseMove(const KDMouseEvent& e) override;
    void MouseUp(const KDMouseEvent& e) override;
    bool KeyDown(const KDKeyEvent& e) override;
    bool KeyUp(const KDKeyEvent& e) override;

private:
    void SetRange(double min, double max);
    double AlongOf(int x, int y) const;
    KDRect Across(int from, int to, int lo, int hi) const;
    void SetModifiers(unsigned shift);

    KDValueScale scale_;
    KDRangeSliderScale scaleKind_ = rscLinear;
    KDTicks ticks_;
    bool endTicks_ = true;
    KDRangeSliderOrientation orientation_ = rsVertical;
    double p0_ = 0.0;
    double p1_ = 1.0;
    Grab grab_ = Grab::None;
    unsigned modifiers_ = 0;
    double lastAlong_ = 0.0;
};
