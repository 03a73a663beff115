#pragma once

#include <cstdint>
#include <memory>

#include "signal/SGSignal.h"

// A ring of samples written one whole block at a time and read at any fractional delay. The ring
// holds a whole number of blocks, so the write position reaches the end only at a block boundary;
// one slot past the end repeats slot 0, so an interpolation across the end reads inside the ring.
//
// Delays are in seconds and are measured from the write position at the moment of the read: a
// user that reads after writing a block finds that block at a delay of one block. Owners keep the
// delay within the ring (0 up to length - SGBlockSize samples); a delay outside it is read modulo
// the ring, so no value reads outside the buffer or stalls the audio thread.
class SGDelayLine {
public:
    explicit SGDelayLine(double maxDelaySeconds);
    SGDelayLine(const SGDelayLine&) = delete;
    SGDelayLine& operator=(const SGDelayLine&) = delete;

    // Builds a new, silent ring for another maximum delay. It allocates, so owners call it when
    // a parameter that sizes the line changes, never while a block is processed.
    void resize(double maxDelaySeconds);

    // Silences every slot, the guard included; the write position stays where it is.
    void clear();

    // Appends one block.
    void write(const SGSignal& block);

    // Fills out with the samples delaySeconds behind the write position, one delay for the block.
    void readFixed(SGSignal& out, double delaySeconds) const;

    // One sample delaySeconds behind the write position.
    float readAt(double delaySeconds) const;

    // Reads a block at rate ring slots per sample, starting delaySeconds behind the write position,
    // and moves the caller's delay on so that its next block continues where this one stopped
    // (reading faster than real time brings the delay closer to the present).
    void readResampled(SGSignal& out, double& delaySeconds, double rate) const;

    std::uint32_t length() const { return length_; }
    std::int32_t writeIndex() const { return writeIndex_; }
    // The length() + 1 slots, the last being the copy of slot 0.
    const float* buffer() const { return buffer_.get(); }

private:
    // Brings a read position into [0, length).
    double wrapPosition(double position) const;
    double startPosition(double delaySeconds) const;

    std::uint32_t length_ = 0;
    std::int32_t writeIndex_ = 0;
    std::unique_ptr<float[]> buffer_;
};
