#pragma once

#include <string>

// Number and note helpers the editors use to show values.
namespace SGValueFormat {

// x in the 10-digit general format, cut (not rounded) d characters after the point; a text
// without a point gets ".00" whatever d is.
std::string formatDecimals(double x, int d);
// formatDecimals(x, 2) followed by " (sec)".
std::string formatSeconds(double x);
// "c5" for note 60, "a5" for note 69.
std::string noteName(int n);
double noteFrequency(int n);
// The nearest note to a frequency.
int noteNumber(double f);

struct NearestNote {
    int note;
    bool exact;  // within 0.05 % of the note's frequency
};
NearestNote nearestNote(double f);

}  // namespace SGValueFormat

using SGValueFormat::formatDecimals;
using SGValueFormat::formatSeconds;
using SGValueFormat::nearestNote;
using SGValueFormat::noteFrequency;
using SGValueFormat::noteName;
using SGValueFormat::noteNumber;
