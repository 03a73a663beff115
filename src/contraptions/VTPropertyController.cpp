#include "contraptions/VTPropertyController.h"

#include <limits>

#include "params/SGTextIO.h"

namespace {

bool readInt32(std::istream& in, std::int32_t& value) {
    long long v = 0;
    if (!SGTextIO::readInteger(in, v) || v < std::numeric_limits<std::int32_t>::min() ||
        v > std::numeric_limits<std::int32_t>::max())
        return false;
    value = static_cast<std::int32_t>(v);
    return true;
}

}  // namespace

void VTPropertyController::writeReserved(std::ostream& out) const {
    SGTextIO::writeReal(out, reserved_.first);
    out << ' ';
    SGTextIO::writeReal(out, reserved_.second);
    out << ' ';
    SGTextIO::writeReal(out, reserved_.third);
    out << " { } " << reserved_.fourth << " 0 " << reserved_.sixth << ' ' << reserved_.seventh
        << ' ';
}

bool VTPropertyController::readReserved(std::istream& in) {
    Reserved r;
    double third = 0.0;
    char open = 0, close = 0;
    std::int32_t ignored = 0;
    // The brace pair stands for an empty block that holds nothing; any two characters do.
    const bool ok = SGTextIO::readReal(in, r.first) && SGTextIO::readReal(in, r.second) &&
                    SGTextIO::readReal(in, third) && SGTextIO::readChar(in, open) &&
                    SGTextIO::readChar(in, close) && readInt32(in, r.fourth) &&
                    readInt32(in, ignored) && readInt32(in, r.sixth) && readInt32(in, r.seventh);
    if (!ok) {
        SGTextIO::fail(in);
        return false;
    }
    // A float field: values beyond its range are kept at its largest magnitude.
    const double most = std::numeric_limits<float>::max();
    r.third = static_cast<float>(third > most ? most : third < -most ? -most : third);
    reserved_ = r;
    return true;
}
