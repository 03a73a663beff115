#include "app/shell/VTWelcomeWindow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/shell/VTHelpTopics.h"
#include "platform/VTHelpViewer.h"
#include "platform/VTSettingsKeys.h"
#include "platform/VTSettingsStore.h"

VTWelcomeWindow::VTWelcomeWindow(QWidget* parent)
    : QDialog(parent),
      yes_(new QPushButton("&Yes", this)),
      no_(new QPushButton("&No", this)),
      dontDisplay_(new QCheckBox(kDontDisplayText, this)) {
    setWindowTitle(kCaption);
    setModal(true);
    auto* text = new QLabel(
        tr("Vantrel builds sound from contraptions that you place on the patcher and wire "
           "together.\n\nWould you like to read the introduction now?"),
        this);
    text->setWordWrap(true);

    yes_->setDefault(true);
    // Yes opens the introduction after the window has gone, so the help is not behind it.
    connect(yes_, &QPushButton::clicked, this, &QDialog::accept);
    connect(no_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(yes_);
    buttons->addWidget(no_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(dontDisplay_);
    layout->addLayout(buttons);
    setMinimumWidth(380);
}

bool VTWelcomeWindow::offer(VTSettingsStore& store, QWidget* parent) {
    if (store.keyExists(VTSettingsKeys::DontRequestInitialHelp)) return false;
    VTWelcomeWindow window(parent);
    const bool yes = window.exec() == QDialog::Accepted;
    if (window.dontDisplay_->isChecked()) {
        store.createKey(VTSettingsKeys::DontRequestInitialHelp);
        store.flush();
    }
    if (yes) VTHelpViewer::show(VTHelpTopics::kIntroduction);
    return true;
}
