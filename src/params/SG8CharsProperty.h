#pragma once

#include <atomic>
#include <bit>
#include <cstdint>

#include "params/SGProperty.h"

struct SGEightChars {
    std::int8_t v[8];
};

// Eight signed 8-bit values held as one word (patterns, step flags).
class SG8CharsProperty : public SGProperty {
public:
    explicit SG8CharsProperty(SGEightChars initial = {})
        : SGProperty(EightCharsType), value_(std::bit_cast<std::uint64_t>(initial)) {}

    SGEightChars chars() const {
        return std::bit_cast<SGEightChars>(value_.load(std::memory_order_relaxed));
    }
    std::int8_t at(int i) const { return chars().v[i]; }

    std::unique_ptr<SGProperty> clone() const override;
    void assignFrom(const SGProperty& other) override;
    void read(std::istream& in) override;
    void write(std::ostream& out) const override;
    void copyValue(const SG8CharsProperty& other) { setChars(other.chars()); }
    void setChars(SGEightChars v) {
        store(v);
        setChanged();
    }

private:
    void store(SGEightChars v) {
        value_.store(std::bit_cast<std::uint64_t>(v), std::memory_order_relaxed);
    }

    std::atomic<std::uint64_t> value_;
};
