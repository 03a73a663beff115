#include "app/dialogs/export/VTExportFileChooser.h"

#include <QFileDialog>
#include <QStringList>

#include "ui/qt/VTPendingMouseUp.h"

std::optional<std::string> vtChooseExportFile(QWidget* parent, const std::string& initialName) {
    QFileDialog dialog(parent, "Save Pattern as...");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter("Wave file (*.wav)");
    dialog.setDefaultSuffix("wav");
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.selectFile(QString::fromStdString(initialName));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.front().isEmpty()) return std::nullopt;
    swallowPendingMouseUp();
    return files.front().toStdString();
}
