#include "platform/audio/KDWaveClock.h"

#include <chrono>

namespace {
const auto programStart = std::chrono::steady_clock::now();
}

std::uint32_t KDSystemWaveClock::TimeMs() const {
    auto elapsed = std::chrono::steady_clock::now() - programStart;
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

std::int64_t KDSystemWaveClock::Counter() const {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

KDSystemWaveClock& KDSystemWaveClock::instance() {
    static KDSystemWaveClock clock;
    return clock;
}
