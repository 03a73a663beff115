#pragma once

#include <QWidget>
#include <string>

#include "platform/VTHelpViewer.h"

class QTextBrowser;

// The program's help: our HTML pages, one per topic, shown in a window of our own. Installed
// as the help viewer at start-up, so that an editor's help button, the patcher's Help command
// and the dialogs open their topics here.
class VTHelpWindow : public QWidget, public VTHelpViewer {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Vantrel Help";

    // `helpDirectory` holds the pages; empty means the folder beside the program.
    explicit VTHelpWindow(std::string helpDirectory = {}, QWidget* parent = nullptr);

    // Shows the page of the topic (VTHelpTopics::kContents for the contents) and raises the
    // window. A topic without a page says so in the window instead.
    void showTopic(int topic) override;
    void showContents();

    // The page the last request found (its file name), empty when it found none. Links
    // followed inside the window do not change it.
    QString currentPage() const;
    const std::string& helpDirectory() const { return directory_; }
    QTextBrowser* browser() const { return browser_; }

private:
    std::string directory_;
    QTextBrowser* browser_;
    QString page_;
};
