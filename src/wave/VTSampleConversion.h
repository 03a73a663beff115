#pragma once

#include <cstdint>

// The one conversion between block floats and the 16-bit samples of files and devices.
namespace VTSampleConversion {

// Scaled by 32767, truncated toward zero and clamped, so -32768 is never produced.
inline std::int16_t floatToSample16(float x) {
    float scaled = x * 32767.0f;
    if (!(scaled > -32767.0f)) return scaled != scaled ? 0 : -32767;  // NaN gives silence
    if (scaled >= 32767.0f) return 32767;
    return static_cast<std::int16_t>(scaled);
}

inline float sample16ToFloat(std::int16_t s) { return static_cast<float>(s) * (1.0f / 32768.0f); }

// A stereo pair mixed to one value: a weighted sum, louder than either channel alone.
inline constexpr float kStereoMixGain = 0.76f;

}  // namespace VTSampleConversion
