#pragma once

#include <cstddef>
#include <istream>
#include <string>

// Line reading for the document's text: a line ends at "\n", and a "\r" before it (a file saved
// on the other platform, in its text mode) is no part of the line. Every reader takes whole
// lines, so a damaged entry can never spill into the lines after it, and every reader moves on
// by at least one character or reports the end, so no damaged file can make a loop stand still.
namespace VTDocumentLines {

// Section names are short; a longer line is not one.
inline constexpr std::size_t kMaxSectionLine = 99;
// More of one line than any entry needs; the rest of a longer line is dropped unread, so that
// a damaged file cannot make the reader hold it all in memory.
inline constexpr std::size_t kMaxEntryLine = std::size_t{16} << 20;

// The next line, at most `limit` characters of it kept; the rest and the line end are consumed.
// False only at the end of the input with nothing read.
bool readLine(std::istream& in, std::string& line, std::size_t limit);

// When the next line is an entry (it begins with a tab), takes it and gives its text after the
// tab; otherwise leaves the stream as it was and gives false.
bool readEntry(std::istream& in, std::string& text);

// Consumes every entry line that follows.
void skipEntries(std::istream& in);

// Drops the rest of the present line and its line end.
void skipRestOfLine(std::istream& in);

}  // namespace VTDocumentLines
