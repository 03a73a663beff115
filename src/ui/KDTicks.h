#pragma once

#include <vector>

#include "ui/KDValueScale.h"

enum KDTickStyle { tsNone, tsAuto, tsManual };

// The tick marks of the knob and the sliders, as values.
class KDTicks {
public:
    KDTickStyle TickStyle = tsNone;
    double Frequency = 1.0;  // spacing of automatic ticks, in value units

    // Manual ticks: the newest is listed first.
    void AddTick(double value) { manual_.insert(manual_.begin(), value); }
    void ClearTicks() { manual_.clear(); }
    const std::vector<double>& ManualTicks() const { return manual_; }

    // Calls f(position) for every tick: automatic ticks at Min + k * Frequency below Max
    // (k = 1, 2, ...), or the manual list. A spacing that is not positive gives no ticks, and
    // ticks too dense to tell apart are not drawn.
    template <class F>
    void ForEach(const KDValueScale& scale, F&& f) const {
        if (TickStyle == tsAuto) {
            if (!(Frequency > 0.0) || !((scale.Max - scale.Min) / Frequency < kMaxTicks)) return;
            for (int k = 1;; ++k) {
                const double v = scale.Min + k * Frequency;
                if (!(v < scale.Max)) break;
                f(scale.PositionOf(v));
            }
        } else if (TickStyle == tsManual) {
            for (double v : manual_) f(scale.PositionOf(v));
        }
    }

private:
    static constexpr double kMaxTicks = 1000.0;
    std::vector<double> manual_;
};
