#pragma once

#include <cstdint>

class KDWaveStream;

// What the stream calls once per output buffer, on its output thread with the processing lock
// held. inputs[slot] points at this cycle's frames of each open input slot (null when closed),
// outputs[slot] at the buffer to fill for each open output slot (null when closed). Samples are
// 16-bit interleaved with the slot's channel count as stride. playTime is when the first frame
// of the outputs will sound, on the stream clock's millisecond scale.
class KDWaveProcessor {
public:
    static constexpr int kSlots = 8;

    virtual ~KDWaveProcessor() = default;
    virtual void OnProcess(KDWaveStream& stream, const std::int16_t* const* inputs,
                           std::uint32_t playTime, int frames, std::int16_t* const* outputs) = 0;
};
