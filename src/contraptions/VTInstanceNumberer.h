#pragma once

#include <array>
#include <cstdint>

// The pool of instance numbers of one contraption kind: 1024 numbers, 1 ... 1024, kept as
// 32 words of 32 bits (bit n - 1 set means number n is in use).
class VTInstanceNumberer {
public:
    static constexpr int kWords = 32;
    static constexpr int kCapacity = kWords * 32;

    // The lowest free number, now taken; 0 (and nothing taken) when all are in use.
    int next();
    // Numbers outside 1 ... 1024 are never free and never recorded.
    bool isFree(int n) const;
    void take(int n);
    void release(int n);
    bool isFull() const;
    static bool inRange(int n) { return n >= 1 && n <= kCapacity; }

private:
    std::array<std::uint32_t, kWords> words_{};
};
