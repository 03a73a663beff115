#include "document/VTDocumentLines.h"

#include <limits>

namespace VTDocumentLines {

bool readLine(std::istream& in, std::string& line, std::size_t limit) {
    line.clear();
    if (!in.good()) return false;
    std::streambuf* buffer = in.rdbuf();
    using Traits = std::char_traits<char>;
    bool any = false;
    bool cut = false;
    while (true) {
        const int c = buffer->sbumpc();
        if (c == Traits::eof()) {
            in.setstate(std::ios::eofbit);
            break;
        }
        any = true;
        if (c == '\n') break;
        if (line.size() < limit)
            line.push_back(static_cast<char>(c));
        else
            cut = true;
    }
    // Only a "\r" that stood right before the line end belongs to the line end.
    if (!cut && !line.empty() && line.back() == '\r') line.pop_back();
    return any;
}

bool readEntry(std::istream& in, std::string& text) {
    text.clear();
    if (!in.good()) return false;
    if (in.rdbuf()->sgetc() != '\t') return false;
    in.rdbuf()->sbumpc();
    readLine(in, text, kMaxEntryLine);
    return true;
}

void skipEntries(std::istream& in) {
    std::string text;
    while (readEntry(in, text)) {
    }
}

void skipRestOfLine(std::istream& in) {
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

}  // namespace VTDocumentLines
