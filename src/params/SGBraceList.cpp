#include "params/SGBraceList.h"

#include "params/SGTextIO.h"

namespace SGBraceList {

void read(std::istream& in, int count, const ReadValue& readValue, const std::function<void()>& onEmpty,
          const std::function<void()>& beforeFirst) {
    char c;
    if (!SGTextIO::readChar(in, c) || c != '{') {
        SGTextIO::fail(in);
        return;
    }
    if (!SGTextIO::readChar(in, c)) {
        SGTextIO::fail(in);
        return;
    }
    if (c == '}') {
        if (onEmpty) onEmpty();
        return;
    }
    if (beforeFirst) beforeFirst();
    for (int k = 0;; ++k) {
        if (c == '}') return;
        if (k == count) {
            // More values than properties: drop the surplus up to the closing brace.
            if (!SGTextIO::skipToClosingBrace(in)) SGTextIO::fail(in);
            return;
        }
        in.putback(c);
        readValue(k, in);
        if (in.fail()) return;
        if (!SGTextIO::readChar(in, c)) {
            SGTextIO::fail(in);
            return;
        }
        if (c == '}') return;
        if (c != ',' || !SGTextIO::readChar(in, c)) {
            SGTextIO::fail(in);
            return;
        }
    }
}

void write(std::ostream& out, int count, const WriteValue& writeValue) {
    out << "{ ";
    for (int k = 0; k < count; ++k) {
        if (k > 0) out << ", ";
        writeValue(k, out);
    }
    out << " }";
}

}  // namespace SGBraceList
