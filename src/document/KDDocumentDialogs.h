#pragma once

#include <optional>
#include <string>

// The questions a document asks its user: whether to save changes, whether to revert, and the
// paths to open and save. The main window answers with message boxes and file dialogs; the
// tests and the command line answer without a window.
class KDDocumentDialogs {
public:
    virtual ~KDDocumentDialogs() = default;

    // True when the user wants the changes saved. Cancelling sets `cancelled` and gives false.
    virtual bool AskSaveChanges(bool& cancelled) = 0;
    // True when the user agrees to throw the changes away.
    virtual bool ConfirmRevert() = 0;
    // The file to open, or none when the user cancels.
    virtual std::optional<std::string> GetOpenPath() = 0;
    // The file to save to, or none when the user cancels. `currentPath` is the document's own
    // path (none while untitled), which the dialog offers first.
    virtual std::optional<std::string> GetSavePath(
        const std::optional<std::string>& currentPath) = 0;
};
