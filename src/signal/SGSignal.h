#pragma once

#include <cstddef>

#include "signal/SGConstants.h"

// One block of SGBlockSize single-precision samples. The arithmetic works in place on the
// left-hand block and gives it back so operations can be chained. Every result is stored as a
// float; none of the loops checks for division by zero or aliasing (the same block on both
// sides behaves sample by sample).
//
// The operations are defined here so that callers' loops inline and vectorise.
class SGSignal {
public:
    SGSignal();                       // contents undefined
    explicit SGSignal(float constant);
    SGSignal(const SGSignal& other);  // copies the samples
    SGSignal(SGSignal&& other) noexcept;
    SGSignal& operator=(const SGSignal& other);
    SGSignal& operator=(SGSignal&& other) noexcept;
    ~SGSignal();

    float* samples() { return samples_; }
    const float* samples() const { return samples_; }
    float& operator[](std::size_t i) { return samples_[i]; }
    float operator[](std::size_t i) const { return samples_[i]; }

    SGSignal& assign(const SGSignal& b) {
        const float* __restrict s = b.samples_;
        float* d = samples_;
        if (d != s)
            for (std::size_t i = 0; i < SGBlockSize; ++i) d[i] = s[i];
        return *this;
    }
    SGSignal& fill(float c) {
        float* __restrict d = samples_;
        for (std::size_t i = 0; i < SGBlockSize; ++i) d[i] = c;
        return *this;
    }
    SGSignal& add(const SGSignal& b) {
        const float* s = b.samples_;
        float* d = samples_;
        for (std::size_t i = 0; i < SGBlockSize; ++i) d[i] = d[i] + s[i];
        return *this;
    }
    SGSignal& addConstant(float c) {
        float* __restrict d = samples_;
        for (std::size_t i = 0; i < SGBlockSize; ++i) d[i] = d[i] + c;
        return *this;
    }
    SGSignal& subtract(const SGSignal& b) {
        const float* s = b.samples_;
        float* d = samples_;
        for (std::size_t i = 0; i < SGBlockSize; ++i) d[i] = d[i] - s[i];
        return *this;
    }
    SGSignal& subtractConstant(float c) {
        float* __restrict d = samples_;
        for (std::size_t i = 0; i < SGBlockSize; ++i) d[i] = d[i] - c;
        return *this;
    }
    SGSignal& multiply(const SGSignal& b) {
        const float* s = b.samples_;
        float* d = samples_;
        for (std::size_t i = 0; i < SGBlockSize; ++i) d[i] = d[i] * s[i];
        return *this;
    }
    SGSignal& scale(float c) {
        float* __restrict d = samples_;
        for (std::size_t i = 0; i < SGBlockSize; ++i) d[i] = d[i] * c;
        return *this;
    }
    SGSignal& divide(const SGSignal& b) {
        const float* s = b.samples_;
        float* d = samples_;
        for (std::size_t i = 0; i < SGBlockSize; ++i) d[i] = d[i] / s[i];
        return *this;
    }
    SGSignal& divideConstant(float c) {
        float* __restrict d = samples_;
        for (std::size_t i = 0; i < SGBlockSize; ++i) d[i] = d[i] / c;
        return *this;
    }
    SGSignal& addScaled(const SGSignal& b, float c) {
        const float* s = b.samples_;
        float* d = samples_;
        for (std::size_t i = 0; i < SGBlockSize; ++i) d[i] = d[i] + s[i] * c;
        return *this;
    }
    SGSignal& addScaled(float c, const SGSignal& b) { return addScaled(b, c); }
    SGSignal& addProduct(const SGSignal& b, const SGSignal& e) {
        const float* s = b.samples_;
        const float* t = e.samples_;
        float* d = samples_;
        for (std::size_t i = 0; i < SGBlockSize; ++i) d[i] = d[i] + s[i] * t[i];
        return *this;
    }
    SGSignal& assignScaled(const SGSignal& b, float c) {
        const float* s = b.samples_;
        float* d = samples_;
        for (std::size_t i = 0; i < SGBlockSize; ++i) d[i] = s[i] * c;
        return *this;
    }
    SGSignal& assignScaled(float c, const SGSignal& b) { return assignScaled(b, c); }
    SGSignal& assignProduct(const SGSignal& b, const SGSignal& e) {
        const float* s = b.samples_;
        const float* t = e.samples_;
        float* d = samples_;
        for (std::size_t i = 0; i < SGBlockSize; ++i) d[i] = s[i] * t[i];
        return *this;
    }

private:
    float* samples_;
};

// The one all-zero block that every unconnected inlet reads. Nobody writes to it; processors
// may compare an inlet's block against it to skip work for an unconnected inlet.
extern const SGSignal SGZeroSignal;
