#include "app/dialogs/settings/TDirectorySelectionForm.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QVBoxLayout>

TDirectorySelectionForm::TDirectorySelectionForm(QWidget* parent)
    : QDialog(parent),
      drives_(new QComboBox),
      directories_(new QListWidget),
      pathLabel_(new QLabel),
      ok_(new QPushButton("OK")),
      cancel_(new QPushButton("Cancel")) {
    setWindowTitle("Select A Directory...");
    pathLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ok_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pathLabel_);
    layout->addWidget(directories_, 1);
    layout->addWidget(drives_);
    layout->addLayout(buttons);
    resize(360, 320);

    FillDrives();
    connect(drives_, &QComboBox::activated, this,
            [this](int i) { SetPath(drives_->itemText(i)); });
    connect(directories_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { Enter(item->text()); });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    SetPath(QDir::homePath());
}

void TDirectorySelectionForm::FillDrives() {
    QStringList roots{"/", QDir::homePath()};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath()))
            roots << volume.rootPath();
    }
    const QSignalBlocker block(drives_);
    drives_->addItems(roots);
}

void TDirectorySelectionForm::SetPath(const QString& path) {
    const QDir dir(path);
    if (path.isEmpty() || !dir.exists()) return;
    path_ = QDir::cleanPath(dir.absolutePath());
    pathLabel_->setText(path_);
    directories_->clear();
    if (!dir.isRoot()) directories_->addItem("..");
    const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    directories_->addItems(names);
}

void TDirectorySelectionForm::Enter(const QString& name) {
    SetPath(QDir(path_).filePath(name));
}
