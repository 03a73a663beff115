#pragma once

#include <cstdint>

class VTBassline;

// The bassline's 16-step pattern as the editor changes it: a gate, accent and tie bit per step
// and a note per step (0 a rest), read from and written back to the processor's properties.
struct VTBasslinePattern {
    static constexpr int kSteps = 16;

    std::uint32_t gates = 0, accents = 0, ties = 0;
    int notes[kSteps] = {};

    static VTBasslinePattern of(const VTBassline& bassline);
    // Writes every part through its property, so each is marked changed.
    void storeInto(VTBassline& bassline) const;

    // One step earlier (bit 0 and step 0 go to the end) or later; bits above 15 are cleared.
    void rotateLeft();
    void rotateRight();
    // Adds semitones to every note that stays within 0 ... 127; rests stay rests.
    void transpose(int semitones);
    // New steps from the randomiser's 32-bit state, which moves on three draws per step.
    void randomise(std::uint32_t& state);

    // The randomiser: its next state, and the fraction a state stands for (bits 16 ... 30).
    static std::uint32_t next(std::uint32_t s) { return s * 1103515245u + 12345u; }
    static double fraction(std::uint32_t s) { return double((s >> 16) & 0x7fff) / 32768.0; }
};
