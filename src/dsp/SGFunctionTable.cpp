#include "dsp/SGFunctionTable.h"

#include <cmath>
#include <limits>

namespace {

// The tables of every patch ever saved were computed with these shortened constants, so they
// stay: a full-precision pi would move every waveform by a few units in the last place.
constexpr double kPi = 3.1415926;
constexpr double kHalfPi = 1.5707963;
constexpr double kQuarterPi = 0.785398163;
constexpr double kSqrt2 = 1.41421356;

}  // namespace

SGFunctionTable::SGFunctionTable(std::uint32_t size)
    : size_(size), data_(std::make_unique<float[]>(std::size_t{size} + 1)) {}

void SGFunctionTable::addHarmonic(float harmonic, float amplitude, float phaseDegrees,
                                  float offset) {
    float* d = data_.get();
    const double n = size_;
    const double theta = double{phaseDegrees} * (1.0 / 180.0) * kPi;
    for (std::uint32_t i = 0; i < size_; ++i) {
        const double angle = (i / n) * kPi * 2.0 * double{harmonic} + theta;
        d[i] = static_cast<float>(std::sin(angle) * amplitude + offset + d[i]);
    }
    d[size_] = d[0];
}

void SGFunctionTable::normalise(float peak) {
    float* d = data_.get();
    float largest = std::numeric_limits<float>::lowest();
    for (std::uint32_t i = 0; i < size_; ++i)
        if (std::fabs(d[i]) > largest) largest = std::fabs(d[i]);
    // An all-zero table has nothing to scale and stays zero.
    const double scale = largest != 0.0f ? double{peak} / largest : 0.0;
    for (std::uint32_t i = 0; i < size_; ++i) d[i] = static_cast<float>(d[i] * scale);
    d[size_] = d[0];
}

void SGFunctionTable::fillPanCurve() {
    float* d = data_.get();
    const double n = size_;
    for (std::uint32_t i = 0; i <= size_; ++i) {
        const double x = size_ > 0 ? static_cast<float>(i / n) : 0.0f;
        d[i] = static_cast<float>(std::sin(x * kHalfPi + kQuarterPi) *
                                  (std::cos(x * kHalfPi) * kSqrt2));
    }
}
