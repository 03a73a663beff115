#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <vector>

// The automation points that each kind of controller keeps for storage only: the program never
// makes any, and nothing plays them, but a document that holds some reads and writes back
// unchanged. Each element's text is its values separated by single spaces.
struct VTPresetTimepoint {
    double time = 0.0;
    std::int32_t preset = 0;
    bool operator==(const VTPresetTimepoint&) const = default;
};

struct VTBoolTimepoint {
    double time = 0.0;
    bool value = false;
    bool operator==(const VTBoolTimepoint&) const = default;
};

struct VTIntegerBreakpoint {
    double time = 0.0;
    std::int32_t value = 0;
    bool operator==(const VTIntegerBreakpoint&) const = default;
};

struct VTDoubleBreakpoint {
    double time = 0.0;
    double value = 0.0;
    bool operator==(const VTDoubleBreakpoint&) const = default;
};

struct VTRangeBreakpoint {
    double time = 0.0;
    float low = 0.0f;
    float high = 0.0f;
    bool operator==(const VTRangeBreakpoint&) const = default;
};

namespace VTControllerPointText {

void write(std::ostream& out, const VTPresetTimepoint& p);
void write(std::ostream& out, const VTBoolTimepoint& p);
void write(std::ostream& out, const VTIntegerBreakpoint& p);
void write(std::ostream& out, const VTDoubleBreakpoint& p);
void write(std::ostream& out, const VTRangeBreakpoint& p);

bool read(std::istream& in, VTPresetTimepoint& p);
bool read(std::istream& in, VTBoolTimepoint& p);
bool read(std::istream& in, VTIntegerBreakpoint& p);
bool read(std::istream& in, VTDoubleBreakpoint& p);
bool read(std::istream& in, VTRangeBreakpoint& p);

// Where the list opens or closes; defined in the .cpp beside the element readers.
bool openList(std::istream& in, bool& present);
// After "{": true with `closed` set when the next character is "}" (taken).
bool peekClose(std::istream& in, bool& closed);
// After an element: "," (more follow) or "}" (the end).
bool readSeparator(std::istream& in, bool& closed);

// "{ " the elements separated by ", " " }"; an empty list is "{  }".
template <typename Point>
void writeList(std::ostream& out, const std::vector<Point>& points) {
    out << "{ ";
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0) out << ", ";
        write(out, points[i]);
    }
    out << " }";
}

// Reads a list written by writeList. A list that does not open with "{" is absent (its first
// character is taken and the list is empty). False, with the stream failed, when an element
// does not parse or the input ends before the closing brace; `points` keeps what was read.
template <typename Point>
bool readList(std::istream& in, std::vector<Point>& points) {
    points.clear();
    bool present = false;
    if (!openList(in, present)) return false;
    if (!present) return true;
    bool closed = false;
    if (!peekClose(in, closed)) return false;
    while (!closed) {
        Point p;
        if (!read(in, p)) return false;
        points.push_back(p);
        if (!readSeparator(in, closed)) return false;
    }
    return true;
}

}  // namespace VTControllerPointText
