#include "platform/KDTimeBase.h"

#include <chrono>
#include <cmath>

namespace {
const std::chrono::steady_clock::time_point programStart = std::chrono::steady_clock::now();
}

std::uint32_t kdTimeGetTime() {
    const auto elapsed = std::chrono::steady_clock::now() - programStart;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));
}

double kdTimeNowMs() {
    const auto elapsed = std::chrono::steady_clock::now() - programStart;
    return std::fmod(std::chrono::duration<double, std::milli>(elapsed).count(), 4294967296.0);
}
