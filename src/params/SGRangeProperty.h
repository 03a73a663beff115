#pragma once

#include <atomic>
#include <bit>
#include <cstdint>

#include "params/SGProperty.h"

struct SGFloatRange {
    float low;
    float high;
};

// Two single-precision values, low then high, written and read together.
class SGRangeProperty : public SGProperty {
public:
    SGRangeProperty(float low = 0.0f, float high = 0.0f)
        : SGProperty(RangeType), value_(std::bit_cast<std::uint64_t>(SGFloatRange{low, high})) {}

    float low() const { return value().low; }
    float high() const { return value().high; }
    SGFloatRange value() const {
        return std::bit_cast<SGFloatRange>(value_.load(std::memory_order_relaxed));
    }

    std::unique_ptr<SGProperty> clone() const override;
    void assignFrom(const SGProperty& other) override;
    void read(std::istream& in) override;
    void write(std::ostream& out) const override;
    void copyValue(const SGRangeProperty& other) { setValue(other.value()); }
    void setValue(SGFloatRange v) {
        store(v);
        setChanged();
    }
    void setValue(float low, float high) { setValue(SGFloatRange{low, high}); }

private:
    void store(SGFloatRange v) { value_.store(std::bit_cast<std::uint64_t>(v), std::memory_order_relaxed); }

    // Both values in one word, so a reader never sees a new low with an old high.
    std::atomic<std::uint64_t> value_;
};
