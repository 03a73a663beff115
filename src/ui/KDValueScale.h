#pragma once

// How the knob and the sliders turn a position between 0 and 1 into a value between Min and Max.
enum class KDScaleKind { Linear, Logarithmic, Octave };

class KDValueScale {
public:
    double Min = 0.0;
    double Max = 1.0;
    KDScaleKind Kind = KDScaleKind::Linear;

    double ValueAt(double position) const;
    // Above Max gives 1; below Min, or not a number, gives 0.
    double PositionOf(double value) const;

private:
    // A logarithmic scale needs a range above zero; any other range maps linearly.
    bool UsesLogarithm() const;
};
