#include <limits>

#include "params/SGBoolProperty.h"
#include "params/SGDoubleProperty.h"
#include "params/SGIntProperty.h"
#include "params/SGTextIO.h"

SGBoolProperty SGNullProperty(true);

void SGBoolProperty::read(std::istream& in) {
    setChanged();
    long long v = 0;
    if (!SGTextIO::readInteger(in, v) || (v != 0 && v != 1)) {
        store(false);
        SGTextIO::fail(in);
        return;
    }
    store(v == 1);
}

void SGBoolProperty::write(std::ostream& out) const { out << (value() ? '1' : '0'); }

void SGIntProperty::read(std::istream& in) {
    setChanged();
    long long v = 0;
    if (!SGTextIO::readInteger(in, v) || v < std::numeric_limits<std::int32_t>::min() ||
        v > std::numeric_limits<std::int32_t>::max()) {
        SGTextIO::fail(in);
        return;
    }
    store(static_cast<std::int32_t>(v));
}

void SGIntProperty::write(std::ostream& out) const { out << value(); }

void SGDoubleProperty::read(std::istream& in) {
    setChanged();
    double v = 0.0;
    if (!SGTextIO::readReal(in, v)) {
        SGTextIO::fail(in);
        return;
    }
    store(v);
}

void SGDoubleProperty::write(std::ostream& out) const { SGTextIO::writeReal(out, value()); }
