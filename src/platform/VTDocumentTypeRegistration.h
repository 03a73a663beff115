#pragma once

#include <string>

// Tells the desktop that *.vtx files are Vantrel documents and that this program opens them:
// a shared-mime-info package, a document icon and a desktop entry below the user's data
// directory. Written at every start so that a moved program is found again; the mime database
// is rebuilt only when the package changed. Every failure is silent: the program works the same
// without the registration.
namespace VTDocumentTypeRegistration {

inline constexpr const char* kMimeType = "application/x-vantrel-document";

// Returns whether every file is in place (for tests; the program ignores it).
bool registerDocumentType(const std::string& programFile, const std::string& dataHome);

// The desktop entry's Exec value: the program path quoted as desktop entries require.
std::string execLine(const std::string& programFile);

}  // namespace VTDocumentTypeRegistration
