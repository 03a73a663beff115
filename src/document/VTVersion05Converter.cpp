#include "document/VTVersion05Converter.h"

#include <sstream>

#include "document/VTDocumentLines.h"
#include "params/SGTextIO.h"

namespace VTVersion05Converter {

namespace {

enum class Rule { FiveValues, TwoValues };

bool expect(std::istream& in, char wanted) {
    char c = 0;
    return SGTextIO::readChar(in, c) && c == wanted;
}

bool readUnsigned(std::istream& in, long long& v) { return SGTextIO::readInteger(in, v) && v >= 0; }

// "{ }" and "{" followed by the rule's values. False when the block is not of the old layout.
bool openBlock(std::istream& in, bool& empty) {
    if (!expect(in, '{')) return false;
    char c = 0;
    if (!SGTextIO::readChar(in, c)) return false;
    empty = c == '}';
    if (!empty) in.unget();
    return true;
}

bool rewriteFive(std::istream& in, std::ostream& out) {
    long long a = 0, b = 0, e = 0;
    double c = 0.0, d = 0.0;
    if (!readUnsigned(in, a) || !expect(in, ',') || !readUnsigned(in, b) || !expect(in, ',') ||
        !SGTextIO::readReal(in, c) || !expect(in, ',') || !SGTextIO::readReal(in, d) ||
        !expect(in, ',') || !readUnsigned(in, e) || !expect(in, '}'))
        return false;
    out << "{ " << e << ", " << a << ", " << b << ", " << SGTextIO::formatGeneral(c) << ", "
        << SGTextIO::formatGeneral(d) << " }";
    return true;
}

bool rewriteTwo(std::istream& in, std::ostream& out) {
    double x = 0.0, y = 0.0;
    if (!SGTextIO::readReal(in, x) || !expect(in, ',') || !SGTextIO::readReal(in, y) ||
        !expect(in, ','))
        return false;
    out << "{ " << SGTextIO::formatGeneral(x) << ' ' << SGTextIO::formatGeneral(y) << ", ";
    // The rest of the block as it stands, the space after the comma included.
    while (true) {
        const int ch = in.get();
        if (ch == std::char_traits<char>::eof()) return false;
        out.put(static_cast<char>(ch));
        if (ch == '}') return true;
    }
}

bool rewriteBlock(std::istream& in, std::ostream& out, Rule rule) {
    bool empty = false;
    if (!openBlock(in, empty)) return false;
    if (empty) {
        out << "{  }";
        return true;
    }
    return rule == Rule::FiveValues ? rewriteFive(in, out) : rewriteTwo(in, out);
}

// Maker, instance name, parameter block and the 20 presets; the rest of the line is copied.
bool rewriteEntry(const std::string& entry, std::size_t makerEnd, Rule rule, std::string& result) {
    const std::size_t nameEnd = entry.find('\t', makerEnd + 1);
    if (nameEnd == std::string::npos) return false;
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << entry.substr(0, nameEnd + 1);
    std::istringstream in(entry.substr(nameEnd + 1));
    in.imbue(std::locale::classic());
    if (!rewriteBlock(in, out, rule) || !expect(in, '{')) return false;
    out << "\t{ ";
    for (int k = 0; k < 20; ++k) {
        if (k > 0) out << ", ";
        if (!rewriteBlock(in, out, rule) || !expect(in, k < 19 ? ',' : '}')) return false;
    }
    out << " }";
    out << in.rdbuf();
    result = out.str();
    return true;
}

}  // namespace

std::string convertEntry(const std::string& entry) {
    const std::size_t makerEnd = entry.find('\t');
    if (makerEnd == std::string::npos) return entry;
    const std::string maker = entry.substr(0, makerEnd);
    Rule rule;
    if (maker == "SDelay")
        rule = Rule::FiveValues;
    else if (maker == "Phaser" || maker == "Flanger")
        rule = Rule::TwoValues;
    else
        return entry;
    std::string result;
    return rewriteEntry(entry, makerEnd, rule, result) ? result : entry;
}

bool convert(std::istream& in, std::ostream& out) {
    out << ".vtx 0.6\n";
    std::string line;
    std::string text;
    while (VTDocumentLines::readLine(in, line, VTDocumentLines::kMaxEntryLine)) {
        if (line == "end") {
            out << "end\n";
            return true;
        }
        out << line << '\n';
        const bool contraptions = line == "contraptions:";
        while (VTDocumentLines::readEntry(in, text))
            out << '\t' << (contraptions ? convertEntry(text) : text) << '\n';
    }
    return false;
}

}  // namespace VTVersion05Converter
