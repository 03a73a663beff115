#pragma once

#include <cstdint>

// The stream's time base: a millisecond clock (wrapping at 32 bits, the scale of play times) and
// a high-resolution counter for load measurement.
class KDWaveClock {
public:
    virtual ~KDWaveClock() = default;
    virtual std::uint32_t TimeMs() const = 0;
    virtual std::int64_t Counter() const = 0;
    virtual std::int64_t CounterFrequency() const = 0;  // counts per second
};

// The real clock: milliseconds since the program started, and the steady clock's nanoseconds.
class KDSystemWaveClock : public KDWaveClock {
public:
    std::uint32_t TimeMs() const override;
    std::int64_t Counter() const override;
    std::int64_t CounterFrequency() const override { return 1000000000; }

    static KDSystemWaveClock& instance();
};
