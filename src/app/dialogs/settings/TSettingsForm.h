#pragma once

#include <QDialog>

class QComboBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class TDevicePage;
class TDirectorySelectionForm;
class TRealTimeEngine;

// "Vantrel Settings": which device carries each logical input and output of the engine, the
// buffer sizes and counts, "Overdrive", the MIDI devices for controllers and sync, and the
// sound-file search directories. The dialog works on its own copy of all of it; nothing reaches
// the engine until Apply (or OK while Apply is enabled), and Cancel or the close box drop the
// copy. Each opening starts again from the engine's values.
class TSettingsForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 2001;

    explicit TSettingsForm(TRealTimeEngine& engine, QWidget* parent = nullptr);
    ~TSettingsForm() override;

    // Fills every page from the engine and the search directories and shows the first page.
    void FormShow();
    // Hands the dialog's values to the engine, restarting audio around the change when it runs.
    void Apply();

    QTabWidget& Pages() const { return *pages_; }
    TDevicePage& OutputPage() const { return *output_; }
    TDevicePage& InputPage() const { return *input_; }
    QComboBox& ControllersList() const { return *controllers_; }
    QComboBox& SyncList() const { return *sync_; }
    QListWidget& DirectoryList() const { return *directories_; }
    QPlainTextEdit& DirectoryNote() const { return *note_; }
    QPushButton& AddButton() const { return *add_; }
    QPushButton& RemoveButton() const { return *remove_; }
    QPushButton& UpButton() const { return *up_; }
    QPushButton& DownButton() const { return *down_; }
    QPushButton& OkButton() const { return *ok_; }
    QPushButton& CancelButton() const { return *cancel_; }
    QPushButton& ApplyButton() const { return *apply_; }
    QPushButton& HelpButton() const { return *help_; }
    TDirectorySelectionForm& DirectoryChooser() const { return *chooser_; }

private:
    QWidget* BuildMidiPage();
    QWidget* BuildDirectoriesPage();
    void Changed();
    void Ok();
    void AddDirectory();
    void RemoveDirectory();
    void MoveDirectory(int step);
    void CorrectInputSize();
    void StartAudioAgain();
    void ReplaceSearchPaths();

    TRealTimeEngine& engine_;
    QTabWidget* pages_;
    TDevicePage* output_;
    TDevicePage* input_;
    QComboBox* controllers_ = nullptr;
    QComboBox* sync_ = nullptr;
    QListWidget* directories_ = nullptr;
    QPlainTextEdit* note_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* apply_;
    QPushButton* help_;
    TDirectorySelectionForm* chooser_;
};
