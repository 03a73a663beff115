#pragma once

#include <cstdint>
#include <memory>

// One period of a function in N entries plus a guard entry: after every fill below, entry N
// equals entry 0 (for the pan curve, the curve's value at the end of its range), so a linear
// interpolation anywhere in [0, N] reads inside the array. The entries are allocated once, when
// the table is built, and start at zero. Tables move but are never copied.
class SGFunctionTable {
public:
    explicit SGFunctionTable(std::uint32_t size);
    SGFunctionTable(SGFunctionTable&&) noexcept = default;
    SGFunctionTable& operator=(SGFunctionTable&&) noexcept = default;
    SGFunctionTable(const SGFunctionTable&) = delete;
    SGFunctionTable& operator=(const SGFunctionTable&) = delete;

    std::uint32_t size() const { return size_; }
    float* data() { return data_.get(); }
    const float* data() const { return data_.get(); }

    // Adds one sine partial: entry i gains sin(2 pi harmonic i / N + phase) * amplitude + offset.
    void addHarmonic(float harmonic, float amplitude, float phaseDegrees, float offset);
    // Scales the table so that its largest magnitude is peak; an all-zero table stays zero.
    void normalise(float peak);
    // Overwrites every entry, the guard included, with the gain of one side of the pan law as a
    // function of the pan position i / N.
    void fillPanCurve();

private:
    std::uint32_t size_;
    std::unique_ptr<float[]> data_;
};
