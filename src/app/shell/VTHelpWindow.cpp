#include "app/shell/VTHelpWindow.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/shell/VTHelpTopics.h"

VTHelpWindow::VTHelpWindow(std::string helpDirectory, QWidget* parent)
    : QWidget(parent, Qt::Window),
      directory_(helpDirectory.empty() ? VTHelpTopics::defaultHelpDirectory()
                                       : std::move(helpDirectory)),
      browser_(new QTextBrowser(this)) {
    if (!directory_.empty() && directory_.back() != '/') directory_ += '/';
    setWindowTitle(kCaption);
    resize(640, 560);

    auto* contents = new QPushButton(tr("&Contents"), this);
    auto* back = new QPushButton(tr("&Back"), this);
    auto* forward = new QPushButton(tr("&Forward"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QPushButton::clicked, this, &VTHelpWindow::showContents);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

    // Links between our pages stay in the window; links to the web go to the desktop.
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({QString::fromStdString(directory_)});

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
}

void VTHelpWindow::showTopic(int topic) {
    const QString file =
        QString::fromStdString(directory_ + VTHelpTopics::pageFileName(topic));
    if (QFileInfo::exists(file)) {
        browser_->setSource(QUrl::fromLocalFile(file));
        page_ = QFileInfo(file).fileName();
    } else {
        page_.clear();
        // Help that is missing must not look like an empty window.
        browser_->setHtml(tr("<h2>Help not found</h2><p>The help page for topic %1 is not "
                             "installed. Vantrel looks for its help pages in %2.</p>")
                              .arg(topic)
                              .arg(QString::fromStdString(directory_).toHtmlEscaped()));
    }
    QWidget::show();
    raise();
    activateWindow();
}

void VTHelpWindow::showContents() { showTopic(VTHelpTopics::kContents); }

QString VTHelpWindow::currentPage() const { return page_; }
