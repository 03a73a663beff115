#pragma once

#include <optional>
#include <string>

#include "document/KDDocumentDialogs.h"

// The document's two questions asked through the installed message box, with the program's own
// texts; without a box (the command line) they are answered Cancel and No, so nothing is lost
// or overwritten unasked. Choosing paths needs a file dialog: this class offers none, and the
// main window's dialogs override the two path operations.
class KDMessageDocumentDialogs : public KDDocumentDialogs {
public:
    static constexpr const char* kAskSaveText =
        "The current document has been modified.\n\nDo you want to save the changes?";
    static constexpr const char* kConfirmRevertText =
        "Reverting the document will discard all changes since the last save operation\n\n"
        "Are you sure you want to revert?";
    static constexpr const char* kCaption = "Vantrel";

    bool AskSaveChanges(bool& cancelled) override;
    bool ConfirmRevert() override;
    std::optional<std::string> GetOpenPath() override { return std::nullopt; }
    std::optional<std::string> GetSavePath(const std::optional<std::string>&) override {
        return std::nullopt;
    }
};
