#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

// "Select A Directory...": a list of the mounted volumes to start from, the directories inside
// the current one (".." leads up, a double click or Enter goes in), the current path, "OK" and
// "Cancel". The path it shows when OK is pressed is the choice.
class TDirectorySelectionForm : public QDialog {
    Q_OBJECT
public:
    explicit TDirectorySelectionForm(QWidget* parent = nullptr);

    // Shows the directory; one that does not exist leaves the current one.
    void SetPath(const QString& path);
    QString Path() const { return path_; }

    QComboBox& DriveList() const { return *drives_; }
    QListWidget& DirectoryList() const { return *directories_; }
    QLabel& PathLabel() const { return *pathLabel_; }
    QPushButton& OkButton() const { return *ok_; }
    QPushButton& CancelButton() const { return *cancel_; }

private:
    void FillDrives();
    void Enter(const QString& name);

    QComboBox* drives_;
    QListWidget* directories_;
    QLabel* pathLabel_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QString path_;
};
