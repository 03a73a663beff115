#pragma once

#include <memory>
#include <optional>
#include <string>

#include "document/KDDocumentDialogs.h"

// A document that knows only its file path, whether it differs from that file, and whom to ask.
// The file commands (New, Open, Save, Revert, closing) are built here on three operations the
// concrete document supplies: empty it, read it from a file, write it to a file.
//
// Each file command returns whether it went through, except Open, OpenPath and Revert, whose
// result says whether the document may have changed: a read that failed after the old patch was
// already emptied still counts, and leaves an untitled, unmodified document.
class KDDocument {
public:
    struct FileCommandState {
        bool saveEnabled = false;
        bool revertEnabled = false;
    };

    explicit KDDocument(std::unique_ptr<KDDocumentDialogs> dialogs);
    virtual ~KDDocument();
    KDDocument(const KDDocument&) = delete;
    KDDocument& operator=(const KDDocument&) = delete;

    // Empties the document.
    virtual void Reset() = 0;
    // True when a document was read. `changed` becomes true as soon as the previous content is
    // gone, so a false result with `changed` true means the document now holds a partial read.
    virtual bool ReadFile(const std::string& path, bool& changed) = 0;
    // True when the file was written.
    virtual bool WriteFile(const std::string& path) = 0;

    bool New();
    bool Open();
    bool OpenPath(const std::optional<std::string>& path);
    bool Save();
    bool SaveAs();
    bool Revert();
    // Whether the document may go: not modified, saved, or the user does not want it saved.
    bool CanClose();

    const std::optional<std::string>& GetPath() const { return path_; }
    bool IsModified() const { return modified_; }
    void SetModified() { modified_ = true; }
    // The file name without its directory and its last extension; empty while untitled.
    const std::string& GetTitle() const;
    // Save is enabled when modified or untitled, Revert when modified and titled.
    FileCommandState GetFileCommandState() const;

    KDDocumentDialogs& Dialogs() const { return *dialogs_; }

    // The title a path gives (directory separators "/" and "\" alike).
    static std::string TitleOf(const std::string& path);

private:
    // When modified, asks whether to save; false when the command must stop (Cancel, or the
    // save failed or was cancelled).
    bool AskToSave();
    bool ReadInto(const std::string& path);
    void SetPath(std::optional<std::string> path);

    std::unique_ptr<KDDocumentDialogs> dialogs_;
    std::optional<std::string> path_;
    mutable std::optional<std::string> title_;
    bool modified_ = false;
};
