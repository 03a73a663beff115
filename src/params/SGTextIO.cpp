#include "params/SGTextIO.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <system_error>

namespace SGTextIO {

namespace {

bool isSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

bool isDigit(int c) { return c >= '0' && c <= '9'; }

// Takes the next character if it satisfies the predicate.
template <typename Pred>
bool take(std::istream& in, std::string& token, Pred pred) {
    // Peeking once the end was seen would mark the stream failed; the end is not a failure.
    if (!in.good()) return false;
    int c = in.peek();
    if (c == std::char_traits<char>::eof() || !pred(c)) return false;
    token.push_back(static_cast<char>(in.get()));
    return true;
}

// Numbers longer than this are not numbers any caller writes; refusing them keeps a damaged
// file from growing a token without bound.
constexpr std::size_t kMaxToken = 512;

void takeDigits(std::istream& in, std::string& token) {
    while (token.size() < kMaxToken && take(in, token, isDigit)) {}
}

}  // namespace

void fail(std::istream& in) { in.setstate(std::ios::failbit); }

void skipSpace(std::istream& in) {
    if (!in.good()) return;
    while (true) {
        int c = in.peek();
        if (c == std::char_traits<char>::eof() || !isSpace(c)) return;
        in.get();
    }
}

bool readChar(std::istream& in, char& c) {
    skipSpace(in);
    if (!in.good()) return false;
    int v = in.get();
    if (v == std::char_traits<char>::eof()) return false;
    c = static_cast<char>(v);
    return true;
}

bool readInteger(std::istream& in, long long& value) {
    skipSpace(in);
    if (!in.good()) return false;
    std::string token;
    take(in, token, [](int c) { return c == '-' || c == '+'; });
    takeDigits(in, token);
    const char* first = token.data();
    if (!token.empty() && token[0] == '+') ++first;
    auto [ptr, ec] = std::from_chars(first, token.data() + token.size(), value);
    return ec == std::errc() && ptr == token.data() + token.size() && ptr != first;
}

bool readReal(std::istream& in, double& value) {
    skipSpace(in);
    if (!in.good()) return false;
    std::string token;
    take(in, token, [](int c) { return c == '-' || c == '+'; });
    takeDigits(in, token);
    if (take(in, token, [](int c) { return c == '.'; })) takeDigits(in, token);
    std::size_t mantissaEnd = token.size();
    if (take(in, token, [](int c) { return c == 'e' || c == 'E'; })) {
        take(in, token, [](int c) { return c == '-' || c == '+'; });
        takeDigits(in, token);
    }
    if (token.size() >= kMaxToken) return false;
    const char* first = token.data();
    const char* last = token.data() + token.size();
    if (first != last && *first == '+') ++first;
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    // A number must have at least one digit in its mantissa.
    bool hasDigit = false;
    for (std::size_t i = 0; i < mantissaEnd; ++i) hasDigit = hasDigit || isDigit(token[i]);
    return hasDigit && ec == std::errc() && ptr == last;
}

bool skipToClosingBrace(std::istream& in) {
    char c;
    while (readChar(in, c))
        if (c == '}') return true;
    return false;
}

std::string formatGeneral(double value, int digits) {
    char buffer[64];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general,
                                   digits);
    if (ec != std::errc()) return "0";
    return std::string(buffer, ptr);
}

std::string formatFixed(double value, int decimals) {
    char buffer[400];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                   decimals);
    if (ec != std::errc()) return formatGeneral(value);
    return std::string(buffer, ptr);
}

void writeReal(std::ostream& out, double value) { out << formatGeneral(value); }

}  // namespace SGTextIO
