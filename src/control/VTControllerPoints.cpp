#include "control/VTControllerPoints.h"

#include <limits>

#include "params/SGTextIO.h"

namespace VTControllerPointText {

namespace {

bool failed(std::istream& in) {
    SGTextIO::fail(in);
    return false;
}

bool readInt32(std::istream& in, std::int32_t& value) {
    long long v = 0;
    if (!SGTextIO::readInteger(in, v) || v < std::numeric_limits<std::int32_t>::min() ||
        v > std::numeric_limits<std::int32_t>::max())
        return failed(in);
    value = static_cast<std::int32_t>(v);
    return true;
}

bool readReal(std::istream& in, double& value) {
    return SGTextIO::readReal(in, value) || failed(in);
}

bool readFloat(std::istream& in, float& value) {
    double v = 0.0;
    if (!readReal(in, v)) return false;
    const double most = std::numeric_limits<float>::max();
    value = static_cast<float>(v > most ? most : v < -most ? -most : v);
    return true;
}

bool readBool(std::istream& in, bool& value) {
    std::int32_t v = 0;
    if (!readInt32(in, v)) return false;
    value = v != 0;
    return true;
}

void real(std::ostream& out, double v) { SGTextIO::writeReal(out, v); }

}  // namespace

void write(std::ostream& out, const VTPresetTimepoint& p) {
    real(out, p.time);
    out << ' ' << p.preset;
}
void write(std::ostream& out, const VTBoolTimepoint& p) {
    real(out, p.time);
    out << ' ' << (p.value ? 1 : 0);
}
void write(std::ostream& out, const VTIntegerBreakpoint& p) {
    real(out, p.time);
    out << ' ' << p.value;
}
void write(std::ostream& out, const VTDoubleBreakpoint& p) {
    real(out, p.time);
    out << ' ';
    real(out, p.value);
}
void write(std::ostream& out, const VTRangeBreakpoint& p) {
    real(out, p.time);
    out << ' ';
    real(out, p.low);
    out << ' ';
    real(out, p.high);
}

bool read(std::istream& in, VTPresetTimepoint& p) {
    return readReal(in, p.time) && readInt32(in, p.preset);
}
bool read(std::istream& in, VTBoolTimepoint& p) {
    return readReal(in, p.time) && readBool(in, p.value);
}
bool read(std::istream& in, VTIntegerBreakpoint& p) {
    return readReal(in, p.time) && readInt32(in, p.value);
}
bool read(std::istream& in, VTDoubleBreakpoint& p) {
    return readReal(in, p.time) && readReal(in, p.value);
}
bool read(std::istream& in, VTRangeBreakpoint& p) {
    return readReal(in, p.time) && readFloat(in, p.low) && readFloat(in, p.high);
}

bool openList(std::istream& in, bool& present) {
    char c = 0;
    if (!SGTextIO::readChar(in, c)) return failed(in);
    present = c == '{';
    return true;
}

bool peekClose(std::istream& in, bool& closed) {
    char c = 0;
    if (!SGTextIO::readChar(in, c)) return failed(in);
    closed = c == '}';
    if (!closed) in.unget();
    return true;
}

bool readSeparator(std::istream& in, bool& closed) {
    char c = 0;
    if (!SGTextIO::readChar(in, c) || (c != ',' && c != '}')) return failed(in);
    closed = c == '}';
    return true;
}

}  // namespace VTControllerPointText
