#pragma once

#include <istream>

// The header line of a document: ".vtx", a space and the format version.
namespace VTDocumentHeader {

enum class Kind {
    Current,      // ".vtx 0.6": the sections follow
    Version05,    // ".vtx 0.5": the rest must be rewritten first
    NotDocument,  // the first word is not ".vtx" (an empty file included)
    Newer,        // a version above 0.6
};

// Reads header lines until one is decisive. A ".vtx" line of a version below 0.6 other than
// 0.5 is passed over and the next line read as a header again, as the program always has;
// in a real document that line is a section line, so the file is taken as no document.
// Versions are compared in single precision.
Kind read(std::istream& in);

}  // namespace VTDocumentHeader
