#pragma once

#include <istream>
#include <ostream>
#include <string>

// Small readers and writers for the text forms of property values and brace lists. They read
// character by character from a stream, never past its end, and do not depend on the C or C++
// locale: the decimal separator is always ".".
namespace SGTextIO {

// Skips whitespace and takes the next character; false at the end of the input.
bool readChar(std::istream& in, char& c);
// Skips whitespace without taking anything.
void skipSpace(std::istream& in);
// Skips whitespace and reads a signed decimal integer. On failure nothing sensible is read and
// false is given; the caller marks the stream failed.
bool readInteger(std::istream& in, long long& value);
// Skips whitespace and reads a real number in any usual notation (sign, digits, point, exponent).
bool readReal(std::istream& in, double& value);
// Reads and drops characters up to and including the next "}"; false if the input ends first.
bool skipToClosingBrace(std::istream& in);

// A real in the general format with at most `digits` significant digits ("%g").
std::string formatGeneral(double value, int digits = 6);
// A real with a fixed number of decimals ("%.Nf").
std::string formatFixed(double value, int decimals);
void writeReal(std::ostream& out, double value);

// Marks the stream failed without throwing even if the caller asked for exceptions.
void fail(std::istream& in);

}  // namespace SGTextIO
