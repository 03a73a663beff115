#pragma once

// The messages of reading and writing a document, word for word, with their captions.
namespace VTDocumentMessages {

inline constexpr const char* kOpenFailed = "An error occurred while opening the document.\n";
inline constexpr const char* kSaveFailed = "An error occurred while saving the document.\n";
inline constexpr const char* kNotADocument = "The specified file is not an Vantrel document.";
inline constexpr const char* kNewerVersion =
    "The specified document was created by a newer version of Vantrel and cannot be opened.";

inline constexpr const char* kCaption = "Vantrel";
inline constexpr const char* kReadErrorCaption = "Error Reading Document";

}  // namespace VTDocumentMessages
