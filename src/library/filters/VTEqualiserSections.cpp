#include "library/filters/VTEqualiserSections.h"

#include <numbers>

void VTShelfSection::setCutoff(double hertz) {
    const double w0 = 2.0 * std::numbers::pi * hertz / SGSampleRate;
    cosW0 = std::cos(w0);
    sinW0 = std::sin(w0);
}

void VTShelfSection::setGain(double decibels) {
    A = std::pow(10.0, decibels * 0.025);
    beta = std::sqrt(A * A + 1.0 - (A - 1.0) * (A - 1.0));
}

void VTShelfSection::lowShelf() {
    const double m = A + 1.0;
    const double r = (A - 1.0) * cosW0;
    const double h = beta * sinW0;
    const double n = m + r + h;
    b0 = A * (m - r + h) / n;
    b1 = 2.0 * A * (A - 1.0 - m * cosW0) / n;
    b2 = A * (m - r - h) / n;
    a1 = -2.0 * (A - 1.0 + m * cosW0) / n;
    a2 = (m + r - h) / n;
}

void VTShelfSection::highShelf() {
    const double m = A + 1.0;
    const double r = (A - 1.0) * cosW0;
    const double h = A * beta * sinW0;
    const double n = m - r + h;
    b0 = A * (m + r + h) / n;
    b1 = 2.0 * A * (-(A - 1.0) - m * cosW0) / n;
    b2 = A * (m + r - h) / n;
    a1 = -2.0 * (m * cosW0 - (A - 1.0)) / n;
    a2 = (m - r - h) / n;
}

void VTShelfSection::run(VTBiquadState& s, float* samples) const {
    // Recursive: each output feeds the next sample, so the loop stays sample by sample.
    float x1 = s.x1, x2 = s.x2, y1 = s.y1, y2 = s.y2;
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        const float x = samples[i];
        const auto y = static_cast<float>(b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2);
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        samples[i] = y;
    }
    s = {x1, x2, y1, y2};
}

void VTPeakSection::setCentre(double hertz) {
    k = -std::cos(2.0 * std::numbers::pi * hertz / SGSampleRate);
}

void VTPeakSection::setBandwidth(double hertz) {
    const double t = std::tan(std::numbers::pi * hertz / SGSampleRate);
    a = (1.0 - t) / (1.0 + t);
}

void VTPeakSection::setGain(double decibels) { G = std::pow(10.0, decibels * 0.05); }

void VTPeakSection::update() {
    b0 = (a + 1.0 + G - a * G) / 2.0;
    b1 = (a + 1.0) * k;
    b2 = (a + 1.0 - G + a * G) / 2.0;
}

void VTPeakSection::run(VTBiquadState& s, float* samples) const {
    float x1 = s.x1, x2 = s.x2, y1 = s.y1, y2 = s.y2;
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        const float x = samples[i];
        const auto y = static_cast<float>(b0 * x + b1 * (x1 - y1) + b2 * x2 - a * y2);
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        samples[i] = y;
    }
    s = {x1, x2, y1, y2};
}
