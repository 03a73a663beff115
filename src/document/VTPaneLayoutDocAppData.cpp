#include "document/VTPaneLayoutDocAppData.h"

#include <sstream>

#include "document/VTDocumentLines.h"
#include "params/SGTextIO.h"

namespace {

// The next entry's leading unsigned integer; false (and nothing taken but that entry) when
// there is no entry or it does not start with one.
bool readUnsignedEntry(std::istream& in, std::uint32_t& value) {
    std::string text;
    if (!VTDocumentLines::readEntry(in, text)) return false;
    std::istringstream line(text);
    long long v = 0;
    if (!SGTextIO::readInteger(line, v) || v < 0 || v > UINT32_MAX) return false;
    value = static_cast<std::uint32_t>(v);
    return true;
}

}  // namespace

bool VTPaneLayoutDocAppData::ReadSection(const std::string& name, std::istream& in) {
    std::uint32_t value = 0;
    if (name == "splitter:") {
        if (readUnsignedEntry(in, value)) setWidth(value);
    } else if (name == "visual1:") {
        std::uint32_t width = 0;
        const bool haveWidth = readUnsignedEntry(in, width);
        if (readUnsignedEntry(in, value)) patcherShown = value == 1;
        if (readUnsignedEntry(in, value)) propertiesShown = value == 1;
        if (haveWidth) setWidth(width);
    } else {
        return false;
    }
    // Whatever else the section holds is not ours to read.
    VTDocumentLines::skipEntries(in);
    return true;
}

void VTPaneLayoutDocAppData::WriteSections(std::ostream& out) {
    // Plain decimal whatever locale the stream carries.
    const std::string width = std::to_string(patcherWidth);
    out << "splitter:\n\t" << width << '\n';
    out << "visual1:\n\t" << width << "\n\t" << (patcherShown ? '1' : '0') << "\n\t"
        << (propertiesShown ? '1' : '0') << '\n';
}
