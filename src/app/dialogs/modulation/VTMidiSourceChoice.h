#pragma once

#include <array>
#include <cstdint>

#include "control/VTMidiControlClient.h"

// The rules the source groups of the mapping windows follow when the user picks a source: the
// entries of the "Controller:" list, what a change of type does to the number, and the range of
// the number field. Kept apart from the widgets so that they hold wherever a source is chosen.
namespace VTMidiSourceChoice {

inline constexpr int kTypeCount = 6;
// The "Controller:" list, entry by entry, and the source type each entry stands for.
extern const std::array<const char*, kTypeCount> kTypeNames;
extern const std::array<std::uint8_t, kTypeCount> kTypes;

// The list entry of a source type; an unknown type shows as "(None)".
int entryOf(std::uint8_t type);

// The source after the user picked another type: the channel stays; a 7-bit controller keeps
// its number, a 14-bit one takes the pair's first controller (0 when that is still above 31),
// and the other types have no number.
VTMidiSource withType(const VTMidiSource& source, std::uint8_t type);

// The largest number a type takes: 97 for 7-bit, 31 for 14-bit control change, else 0.
int numberMaximum(std::uint8_t type);
bool hasNumber(std::uint8_t type);
bool hasChannel(std::uint8_t type);

// The source a learned control key names.
VTMidiSource fromKey(int controlKey);

}  // namespace VTMidiSourceChoice
