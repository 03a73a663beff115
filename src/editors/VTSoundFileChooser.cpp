#include "editors/VTSoundFileChooser.h"

#include <QFileDialog>
#include <QStringList>

#include "params/SGCStringProperty.h"
#include "ui/qt/VTPendingMouseUp.h"
#include "wave/SharedSoundFilePaths.h"

namespace {

std::optional<std::string> showFileDialog(QWidget* parent, const std::string& initial,
                                          bool output) {
    QFileDialog dialog(parent, output ? "Save Soundfile as..." : "Select a Soundfile...");
    dialog.setAcceptMode(output ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(output ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // A recording goes on at the end of a file that exists, so nothing is overwritten unasked.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
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
    const std::optional<std::string> chosen = ask(parent, initial, false);
    if (chosen) paths.rememberSoundFileDirectory(*chosen);
    return chosen;
}

std::optional<std::string> VTSoundFileChooser::chooseOutput(QWidget* parent,
                                                            const std::string& current) {
    SoundFilePaths& paths = sharedSoundFilePaths();
    const std::string initial =
        current.empty() ? paths.outputDialogDirectory() + "/Untitled.wav" : current;
    const std::optional<std::string> chosen = ask(parent, initial, true);
    if (chosen) paths.rememberOutputDirectory(*chosen);
    return chosen;
}

std::optional<std::string> VTSoundFileChooser::ask(QWidget* parent, const std::string& initial,
                                                   bool output) {
    std::optional<std::string> chosen =
        dialog() ? dialog()(parent, initial) : showFileDialog(parent, initial, output);
    if (!chosen || chosen->empty()) return std::nullopt;
    // The release of a double click in the dialog must not reach the window beneath.
    if (!dialog()) swallowPendingMouseUp();
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
