#include "editors/VTSoundFileChooser.h"

#include <QFileDialog>
#include <QStringList>

#include "params/SGCStringProperty.h"
#include "ui/qt/VTPendingMouseUp.h"
#include "wave/SharedSoundFilePaths.h"

namespace {

std::optional<std::string> showFileDialog(QWidget* parent, const std::string& initial) {
    QFileDialog dialog(parent, "Select a Soundfile...");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter("Wave file (*.wav)");
    dialog.setDefaultSuffix("wav");
    dialog.selectFile(QString::fromStdString(initial));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.front().isEmpty()) return std::nullopt;
    return files.front().toStdString();
}

}  // namespace

VTSoundFileChooser::Dialog& VTSoundFileChooser::dialog() {
    static Dialog installed;
    return installed;
}

void VTSoundFileChooser::setDialog(Dialog d) { dialog() = std::move(d); }

std::optional<std::string> VTSoundFileChooser::choose(QWidget* parent, const std::string& current) {
    SoundFilePaths& paths = sharedSoundFilePaths();
    const std::string initial = current.empty() ? paths.soundFileDialogDirectory() + "/*.wav"
                                                : paths.resolveSoundFileName(current);
    const std::optional<std::string> chosen =
        dialog() ? dialog()(parent, initial) : showFileDialog(parent, initial);
    if (!chosen || chosen->empty()) return std::nullopt;
    if (!dialog()) swallowPendingMouseUp();
    paths.rememberSoundFileDirectory(*chosen);
    return chosen;
}

bool VTSoundFileChooser::chooseInto(QWidget* parent, SGProperty& fileProperty) {
    auto* file = dynamic_cast<SGCStringProperty*>(&fileProperty);
    if (!file) return false;
    const std::optional<std::string> chosen = choose(parent, file->text() ? file->text() : "");
    if (!chosen) return false;
    file->setValue(sharedSoundFilePaths().makeRelativeSoundFileName(*chosen).c_str());
    return true;
}

QString VTSoundFileChooser::caption(const std::string& name) {
    QString shown = QString::fromStdString(name);
    if (!name.empty() && !sharedSoundFilePaths().soundFileExists(name)) shown += " !";
    return shown;
}
