#pragma once

#include <cstdint>

#include "signal/SGSignal.h"

// One grain of the file granulator: a stretch of the sound read at its own rate with raised-
// cosine attack and release (a rotating phasor gives the cosine) and a flat sustain between.
struct VTBubbleGrain {
    enum State : std::int32_t { Attack = 0, Sustain = 1, Release = 2, Finished = 3 };

    const std::int16_t* data = nullptr;
    std::int32_t frames = 0;  // playable frames: the interpolation reads one past them
    bool stereo = false;
    double rate = 1.0;      // file frames per output sample
    double position = 0.0;  // file frames
    std::int32_t onset = 0;
    std::uint32_t attack = 0;
    std::uint32_t sustain = 0;
    std::uint32_t release = 0;
    float leftGain = 0.0f;
    float rightGain = 0.0f;
    std::int32_t state = Finished;
    float sinU = 0.0f, cosU = 1.0f, x = 0.0f, y = -1.0f;

    // Splits a grain of d samples (single precision): the sustain takes the share attDec, the
    // attack the share skew of the rest, the release what remains; attack and release last at
    // least one sample, so their phasor step is finite.
    void setEnvelope(float d, double attDec, double skew);

    // Adds this block of the grain into left and right, reading through the scratch blocks;
    // false once the release has ended.
    bool render(SGSignal& scratchL, SGSignal& scratchR, SGSignal& left, SGSignal& right);

private:
    void fillScratch(float* l, float* r, std::uint32_t from);
    void addEnvelope(const float* sl, const float* sr, float* l, float* r, std::uint32_t j,
                     std::uint32_t n);
};
