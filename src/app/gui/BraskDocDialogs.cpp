#include "app/gui/BraskDocDialogs.h"

#include "platform/VTProgramPaths.h"
#include "ui/qt/VTPendingMouseUp.h"

namespace {

// The release of a double click that chose a file must not reach the window beneath: after
// the open dialog in any case, after the save dialog when a file was chosen.
std::optional<std::string> chosenPath(QFileDialog& dialog, bool swallowOnCancel) {
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (accepted || swallowOnCancel) swallowPendingMouseUp();
    if (!accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.front().isEmpty()) return std::nullopt;
    return files.front().toStdString();
}

}  // namespace

BraskDocDialogs::BraskDocDialogs(QWidget* parent)
    : open_(std::make_unique<QFileDialog>(parent)), save_(std::make_unique<QFileDialog>(parent)) {
    SetUpOpenDialog(*open_);
    SetUpSaveDialog(*save_);
}

BraskDocDialogs::~BraskDocDialogs() = default;

void BraskDocDialogs::SetUpOpenDialog(QFileDialog& dialog) {
    dialog.setWindowTitle("Open");
    dialog.setNameFilters({"Vantrel document (*.vtx)", "All files (*)"});
    dialog.setDefaultSuffix("vtx");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The file, and with it its folder, must exist.
    dialog.setFileMode(QFileDialog::ExistingFile);
}

void BraskDocDialogs::SetUpSaveDialog(QFileDialog& dialog) {
    dialog.setWindowTitle("Save");
    dialog.setNameFilters({"Vantrel document (*.vtx)", "All documents (*)"});
    dialog.setDefaultSuffix("vtx");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // Any name in an existing folder; overwriting asks first (Qt's default for saving).
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
}

std::optional<std::string> BraskDocDialogs::GetOpenPath() {
    // The dialog opens on the program's folder, showing documents.
    open_->setDirectory(QString::fromStdString(VTProgramPaths::programDirectory()));
    open_->selectNameFilter("Vantrel document (*.vtx)");
    return chosenPath(*open_, true);
}

std::optional<std::string> BraskDocDialogs::GetSavePath(
    const std::optional<std::string>& currentPath) {
    if (currentPath) save_->selectFile(QString::fromStdString(*currentPath));
    return chosenPath(*save_, false);
}
