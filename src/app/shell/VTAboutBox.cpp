#include "app/shell/VTAboutBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "app/shell/VTSplashWindow.h"

VTAboutBox::VTAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(kCaption);
    auto* name = new QLabel("<h2>Vantrel</h2>", this);
    auto* version = new QLabel(VTSplashWindow::kVersionText, this);
    version->setObjectName("version");
    auto* text = new QLabel(tr("A program for building and playing modular audio patches in "
                               "real time."),
                            this);
    text->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(text);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}
