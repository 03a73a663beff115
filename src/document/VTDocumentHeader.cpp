#include "document/VTDocumentHeader.h"

#include <sstream>
#include <string>

#include "document/VTDocumentLines.h"
#include "params/SGTextIO.h"

namespace VTDocumentHeader {

namespace {

constexpr std::size_t kMaxWord = 99;
constexpr std::size_t kMaxHeaderLine = 5000;

}  // namespace

Kind read(std::istream& in) {
    std::string line;
    bool first = true;
    while (VTDocumentLines::readLine(in, line, kMaxHeaderLine)) {
        // A text editor may have put a byte-order mark before the first line.
        if (first && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        first = false;
        const std::size_t space = line.find(' ');
        const std::string word =
            line.substr(0, space == std::string::npos ? kMaxWord : std::min(space, kMaxWord));
        if (word != ".vtx") return Kind::NotDocument;
        double parsed = 0.0;
        if (space != std::string::npos) {
            std::istringstream rest(line.substr(space + 1));
            if (!SGTextIO::readReal(rest, parsed)) parsed = 0.0;
        }
        const float version = static_cast<float>(parsed);
        if (version > 0.6f) return Kind::Newer;
        if (version == 0.6f) return Kind::Current;
        if (version == 0.5f) return Kind::Version05;
    }
    return Kind::NotDocument;
}

}  // namespace VTDocumentHeader
