#include "app/dialogs/export/TProgressForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/export/VTBusyIndicator.h"
#include "app/dialogs/export/VTSegmentedProgressBar.h"

TProgressForm::TProgressForm(QWidget* parent)
    : QDialog(parent),
      first_(new QLabel(this)),
      second_(new QLabel(this)),
      bar_(new VTSegmentedProgressBar(this)),
      animation_(new VTBusyIndicator(this)),
      cancelButton_(new QPushButton(kCancelCaption, this)) {
    setObjectName("ProgressForm");
    // The rest of the program waits while the export drives the patch.
    setWindowModality(Qt::ApplicationModal);
    first_->setObjectName("FirstLine");
    second_->setObjectName("SecondLine");
    // A long path is cut at the window's edge rather than widening the window.
    second_->setMinimumWidth(260);
    second_->setTextFormat(Qt::PlainText);
    first_->setTextFormat(Qt::PlainText);
    cancelButton_->setObjectName("CancelButton");
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel_ = true; });

    auto* text = new QVBoxLayout;
    text->addWidget(first_);
    text->addWidget(second_);
    auto* top = new QHBoxLayout;
    top->addWidget(animation_);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancelButton_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(bar_);
    layout->addLayout(buttons);
}

void TProgressForm::begin(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
    setLines("", "");
    cancel_ = false;
    bar_->setProgress(0.0f);
    animation_->start();
    show();
    raise();
}

void TProgressForm::setLines(const std::string& first, const std::string& second) {
    first_->setText(QString::fromStdString(first));
    second_->setText(QString::fromStdString(second));
}

void TProgressForm::setProgress(float progress) {
    bar_->setProgress(progress);
    if (bar_->progress() >= 1.0f) animation_->stop();
}

float TProgressForm::progress() const { return bar_->progress(); }

void TProgressForm::processEvents() { QApplication::processEvents(); }

void TProgressForm::end() {
    animation_->stop();
    hide();
}

void TProgressForm::closeEvent(QCloseEvent* event) {
    cancel_ = true;
    event->ignore();
}
