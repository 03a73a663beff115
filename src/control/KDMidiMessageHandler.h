#pragma once

#include <cstdint>

// Takes the channel messages (status below 0xF0) of a MIDI input, on the input's thread.
// An implementation returns quickly and never blocks.
class KDMidiMessageHandler {
public:
    virtual void midiMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) = 0;

protected:
    ~KDMidiMessageHandler() = default;
};
