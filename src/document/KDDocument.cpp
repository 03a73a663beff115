#include "document/KDDocument.h"

KDDocument::KDDocument(std::unique_ptr<KDDocumentDialogs> dialogs) : dialogs_(std::move(dialogs)) {}

KDDocument::~KDDocument() = default;

bool KDDocument::AskToSave() {
    if (!modified_) return true;
    bool cancelled = false;
    const bool save = dialogs_->AskSaveChanges(cancelled);
    if (cancelled) return false;
    return !save || Save();
}

void KDDocument::SetPath(std::optional<std::string> path) {
    path_ = std::move(path);
    title_.reset();
}

bool KDDocument::New() {
    if (!AskToSave()) return false;
    Reset();
    SetPath(std::nullopt);
    modified_ = false;
    return true;
}

bool KDDocument::Open() {
    if (!AskToSave()) return false;
    const std::optional<std::string> path = dialogs_->GetOpenPath();
    if (!path || path->empty()) return true;
    return ReadInto(*path);
}

bool KDDocument::OpenPath(const std::optional<std::string>& path) {
    if (!AskToSave()) return false;
    if (!path || path->empty()) return true;
    // Copied first: the caller's string may be the path this read replaces.
    const std::string p = *path;
    return ReadInto(p);
}

bool KDDocument::ReadInto(const std::string& path) {
    bool changed = false;
    if (ReadFile(path, changed)) {
        SetPath(path);
        modified_ = false;
        return true;
    }
    if (!changed) return false;
    // The old patch is gone and what was read is not the file: untitled, so that Save cannot
    // overwrite the damaged file with the part of it that could be read.
    SetPath(std::nullopt);
    modified_ = false;
    return true;
}

bool KDDocument::Save() {
    if (!path_) return SaveAs();
    if (!WriteFile(*path_)) return false;
    modified_ = false;
    return true;
}

bool KDDocument::SaveAs() {
    const std::optional<std::string> path = dialogs_->GetSavePath(path_);
    if (!path || path->empty()) return false;
    const std::string p = *path;
    if (!WriteFile(p)) return false;
    SetPath(p);
    modified_ = false;
    return true;
}

bool KDDocument::Revert() {
    if (!path_) return false;
    if (!dialogs_->ConfirmRevert()) return false;
    const std::string p = *path_;
    return ReadInto(p);
}

bool KDDocument::CanClose() {
    if (!modified_) return true;
    bool cancelled = false;
    const bool save = dialogs_->AskSaveChanges(cancelled);
    if (cancelled) return false;
    return !save || Save();
}

const std::string& KDDocument::GetTitle() const {
    if (!title_) title_ = path_ ? TitleOf(*path_) : std::string();
    return *title_;
}

std::string KDDocument::TitleOf(const std::string& path) {
    const std::size_t separator = path.find_last_of("/\\");
    const std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
    // A dot in the first place is part of the name (".drone" is titled ".drone").
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || dot == 0) return name;
    return name.substr(0, dot);
}

KDDocument::FileCommandState KDDocument::GetFileCommandState() const {
    return {modified_ || !path_, modified_ && path_.has_value()};
}
