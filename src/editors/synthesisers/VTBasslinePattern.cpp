#include "editors/synthesisers/VTBasslinePattern.h"

#include <cmath>

#include "library/synthesisers/VTBassline.h"

namespace {

constexpr std::uint32_t kMask = 0xffff;

std::uint32_t bitsOf(const SGIntProperty& p) { return std::uint32_t(p.value()) & kMask; }

}  // namespace

VTBasslinePattern VTBasslinePattern::of(const VTBassline& b) {
    VTBasslinePattern p;
    p.gates = bitsOf(b.gates);
    p.accents = bitsOf(b.accents);
    p.ties = bitsOf(b.ties);
    for (int k = 0; k < 8; ++k) {
        p.notes[k] = b.notes0.at(k);
        p.notes[k + 8] = b.notes1.at(k);
    }
    return p;
}

void VTBasslinePattern::storeInto(VTBassline& b) const {
    b.gates.setValue(int(gates & kMask));
    b.accents.setValue(int(accents & kMask));
    b.ties.setValue(int(ties & kMask));
    SGEightChars first{}, second{};
    for (int k = 0; k < 8; ++k) {
        first.v[k] = std::int8_t(notes[k]);
        second.v[k] = std::int8_t(notes[k + 8]);
    }
    b.notes0.setChars(first);
    b.notes1.setChars(second);
}

void VTBasslinePattern::rotateLeft() {
    for (std::uint32_t* bits : {&gates, &accents, &ties})
        *bits = ((*bits & kMask) >> 1) | ((*bits & 1u) << 15);
    const int first = notes[0];
    for (int k = 0; k < kSteps - 1; ++k) notes[k] = notes[k + 1];
    notes[kSteps - 1] = first;
}

void VTBasslinePattern::rotateRight() {
    for (std::uint32_t* bits : {&gates, &accents, &ties})
        *bits = ((*bits << 1) | ((*bits >> 15) & 1u)) & kMask;
    const int last = notes[kSteps - 1];
    for (int k = kSteps - 1; k > 0; --k) notes[k] = notes[k - 1];
    notes[0] = last;
}

void VTBasslinePattern::transpose(int semitones) {
    for (int& note : notes) {
        if (note == 0) continue;
        const int moved = note + semitones;
        if (moved >= 0 && moved <= 127) note = moved;
    }
}

void VTBasslinePattern::randomise(std::uint32_t& state) {
    for (int k = 0; k < kSteps; ++k) {
        const std::uint32_t s0 = state, s1 = next(s0), s2 = next(s1), s3 = next(s2);
        const std::uint32_t bit = 1u << k;
        notes[k] = int(std::trunc(fraction(s1) * 24 + 20));
        // A bit the draw does not set is turned over.
        gates = fraction(s0) * 15 < 10 ? gates | bit : gates ^ bit;
        ties = fraction(s1) * 15 < 3 ? ties | bit : ties ^ bit;
        accents = fraction(s2) * 15 < 5 ? accents | bit : accents ^ bit;
        state = s3;
    }
}
