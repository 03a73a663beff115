#include "ui/KDValueScale.h"

#include <algorithm>
#include <cmath>

bool KDValueScale::UsesLogarithm() const {
    return Kind != KDScaleKind::Linear && Min > 0.0 && Max > 0.0;
}

double KDValueScale::ValueAt(double p) const {
    if (!UsesLogarithm()) return Min + (Max - Min) * p;
    if (Kind == KDScaleKind::Octave)
        return std::exp2(std::log2(Min) + (std::log2(Max) - std::log2(Min)) * p);
    return std::pow(10.0, std::log10(Min) + (std::log10(Max) - std::log10(Min)) * p);
}

double KDValueScale::PositionOf(double v) const {
    if (v > Max) return 1.0;
    if (!(v >= Min)) return 0.0;
    double p;
    if (!UsesLogarithm()) {
        if (Max == Min) return 0.0;
        p = (v - Min) / (Max - Min);
    } else if (Kind == KDScaleKind::Octave) {
        if (Max == Min) return 0.0;
        p = (std::log2(v) - std::log2(Min)) / (std::log2(Max) - std::log2(Min));
    } else {
        if (Max == Min) return 0.0;
        p = (std::log10(v) - std::log10(Min)) / (std::log10(Max) - std::log10(Min));
    }
    return std::clamp(p, 0.0, 1.0);
}
