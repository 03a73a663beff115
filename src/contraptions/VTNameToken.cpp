#include "contraptions/VTNameToken.h"

namespace VTNameToken {

namespace {

bool isSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

bool read(std::istream& in, std::string& token) {
    token.clear();
    bool tooLong = false;
    while (in.good() && isSpace(in.peek())) in.get();
    while (in.good()) {
        int c = in.peek();
        if (c == std::char_traits<char>::eof() || isSpace(c)) break;
        in.get();
        if (token.size() < kMaxLength)
            token.push_back(static_cast<char>(c));
        else
            tooLong = true;
    }
    if (token.empty() || tooLong) {
        token.clear();
        in.setstate(std::ios::failbit);
        return false;
    }
    return true;
}

bool isUsable(std::string_view name) {
    if (name.empty() || name.size() > kMaxLength) return false;
    for (char ch : name) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7f || isSpace(c)) return false;
    }
    return true;
}

}  // namespace VTNameToken
