#include <cfloat>
#include <cstring>
#include <string>

#include "params/SG8CharsProperty.h"
#include "params/SGCStringProperty.h"
#include "params/SGRangeProperty.h"
#include "params/SGTextIO.h"

namespace {

// Narrowing as the text form wants it: values beyond single precision become the largest
// single-precision magnitude of the same sign.
float narrow(double v) {
    if (v > FLT_MAX) return FLT_MAX;
    if (v < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(v);
}

}  // namespace

// --- range -------------------------------------------------------------------------------------

std::unique_ptr<SGProperty> SGRangeProperty::clone() const {
    return std::make_unique<SGRangeProperty>(low(), high());
}

void SGRangeProperty::assignFrom(const SGProperty& other) {
    if (auto* same = dynamic_cast<const SGRangeProperty*>(&other)) copyValue(*same);
}

void SGRangeProperty::read(std::istream& in) {
    setChanged();
    double lo = 0.0, hi = 0.0;
    if (!SGTextIO::readReal(in, lo) || !SGTextIO::readReal(in, hi)) {
        SGTextIO::fail(in);
        return;
    }
    store({narrow(lo), narrow(hi)});
}

void SGRangeProperty::write(std::ostream& out) const {
    SGFloatRange v = value();
    out << SGTextIO::formatGeneral(v.low) << ' ' << SGTextIO::formatGeneral(v.high);
}

// --- eight chars -------------------------------------------------------------------------------

std::unique_ptr<SGProperty> SG8CharsProperty::clone() const {
    return std::make_unique<SG8CharsProperty>(chars());
}

void SG8CharsProperty::assignFrom(const SGProperty& other) {
    if (auto* same = dynamic_cast<const SG8CharsProperty*>(&other)) copyValue(*same);
}

void SG8CharsProperty::read(std::istream& in) {
    setChanged();
    SGEightChars v{};
    for (auto& c : v.v) {
        long long n = 0;
        if (!SGTextIO::readInteger(in, n)) {
            SGTextIO::fail(in);
            return;
        }
        c = static_cast<std::int8_t>(static_cast<std::uint8_t>(n & 0xff));
    }
    store(v);
}

void SG8CharsProperty::write(std::ostream& out) const {
    SGEightChars v = chars();
    for (auto c : v.v) out << static_cast<int>(c) << ' ';
}

// --- text --------------------------------------------------------------------------------------

SGCStringProperty::SGCStringProperty(const char* initial) : SGProperty(CStringType) {
    if (initial) replace(initial);
}

SGCStringProperty::~SGCStringProperty() { delete[] text_.load(); }

std::unique_ptr<SGProperty> SGCStringProperty::clone() const {
    return std::make_unique<SGCStringProperty>(text());
}

void SGCStringProperty::assignFrom(const SGProperty& other) {
    if (auto* same = dynamic_cast<const SGCStringProperty*>(&other)) copyValue(*same);
}

void SGCStringProperty::setValue(const char* value) {
    const char* present = text();
    if (value == present) return;
    if (value && present && std::strcmp(value, present) == 0) return;
    if (!value && !present) return;
    replace(value);
    setChanged();
}

void SGCStringProperty::replace(const char* value) {
    char* fresh = nullptr;
    if (value) {
        std::size_t n = std::strlen(value);
        fresh = new char[n + 1];
        std::memcpy(fresh, value, n + 1);
    }
    retired_.reset(text_.exchange(fresh, std::memory_order_acq_rel));
}

void SGCStringProperty::read(std::istream& in) {
    setChanged();
    char c;
    if (!SGTextIO::readChar(in, c) || c != '"') {
        SGTextIO::fail(in);
        return;
    }
    std::string value;
    bool tooLong = false;
    while (true) {
        int v = in.get();
        if (v == std::char_traits<char>::eof()) {
            // The closing quote never came: keep the old text.
            SGTextIO::fail(in);
            return;
        }
        if (v == '"') break;
        if (v == '\\') {
            v = in.get();
            if (v == std::char_traits<char>::eof()) {
                SGTextIO::fail(in);
                return;
            }
            // Line ends travel as \n and \r, so that a text never breaks its line.
            if (v == 'n') v = '\n';
            if (v == 'r') v = '\r';
        }
        if (value.size() < kMaxLength)
            value.push_back(static_cast<char>(v));
        else
            tooLong = true;
    }
    if (tooLong) {
        // Read to the closing quote so the rest of the line stays in step, but keep the old text
        // rather than a cut-off one.
        SGTextIO::fail(in);
        return;
    }
    if (!text() || value != text()) replace(value.c_str());
}

void SGCStringProperty::write(std::ostream& out) const {
    out << '"';
    if (const char* t = text()) {
        for (const char* p = t; *p; ++p) {
            if (*p == '\n') {
                out << "\\n";
            } else if (*p == '\r') {
                out << "\\r";
            } else {
                if (*p == '\\' || *p == '"') out << '\\';
                out << *p;
            }
        }
    }
    out << '"';
}
