#pragma once

#include <QMainWindow>
#include <memory>

#include "app/shell/VTStartupMainWindow.h"

class QLabel;
class TRealTimeEngine;
class VTDocument;

// A plain window that holds the document and plays it: the patch's contraptions listed, audio
// and transport started from the command line, the status bar showing the engine's load. It
// serves where the full main window is not linked in (the program built without it).
class VTBasicMainWindow : public QMainWindow, public VTStartupMainWindow {
    Q_OBJECT
public:
    explicit VTBasicMainWindow(TRealTimeEngine& engine, QWidget* parent = nullptr);
    ~VTBasicMainWindow() override;

    QMainWindow& window() override { return *this; }
    void openPath(const std::string& path) override;
    void enableAudio() override;
    void playFromStart() override;
    void setAboutHandler(std::function<void()> handler) override { about_ = std::move(handler); }
    void shutDown() override;

    VTDocument& document() const { return *document_; }

private:
    void showDocument();

    TRealTimeEngine& engine_;
    std::unique_ptr<VTDocument> document_;
    QLabel* patch_;
    std::function<void()> about_;
};
