#pragma once

#include <cmath>

#include "signal/SGSignal.h"

// The second-order sections of the parametric equaliser. Coefficients are doubles, computed
// only when a setting changes; the running state of each channel is kept in single precision.

// What a section remembers between samples: the last two inputs and outputs.
struct VTBiquadState {
    float x1 = 0.0f;
    float x2 = 0.0f;
    float y1 = 0.0f;
    float y2 = 0.0f;
};

// A shelving section. The cutoff and the gain are stored separately, so a change of one reuses
// the other; lowShelf() or highShelf() then derives the coefficients from both.
struct VTShelfSection {
    double A = 1.0;
    double beta = std::sqrt(2.0);
    double cosW0 = std::cos(2764.601535159018 / SGSampleRate);
    double sinW0 = std::sin(2764.601535159018 / SGSampleRate);
    double b0 = 1.0, b1 = 0.0, b2 = 0.0, a1 = 0.0, a2 = 0.0;

    void setCutoff(double hertz);
    void setGain(double decibels);
    void lowShelf();
    void highShelf();

    // In place over one block.
    void run(VTBiquadState& s, float* samples) const;
};

// A peaking band built round an all-pass: k tunes its centre, a its bandwidth, G is the linear
// gain at the centre. The denominator is 1 + b1 z^-1 + a z^-2.
struct VTPeakSection {
    double a = 0.0;
    double k = 0.0;
    double G = 1.0;
    double b0 = 1.0, b1 = 0.0, b2 = 0.0;

    void setCentre(double hertz);
    void setBandwidth(double hertz);
    void setGain(double decibels);
    void update();

    // In place over one block.
    void run(VTBiquadState& s, float* samples) const;
};
