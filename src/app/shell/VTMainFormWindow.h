#pragma once

#include <memory>

#include "app/gui/VTRealTimeEngineLink.h"
#include "app/shell/VTStartup.h"
#include "app/shell/VTStartupMainWindow.h"

class TMainForm;
class VTDialogWindows;

// The program's main window as the start-up drives it: TMainForm over the real-time engine.
class VTMainFormWindow : public VTStartupMainWindow {
public:
    VTMainFormWindow(TRealTimeEngine& engine, VTSettingsStore& settings);
    ~VTMainFormWindow() override;

    QMainWindow& window() override;
    void openPath(const std::string& path) override;
    // Enable Audio toggles; from the command line it only ever switches audio on.
    void enableAudio() override;
    void playFromStart() override;
    void setAboutHandler(std::function<void()> handler) override;

    TMainForm& form() const { return *form_; }

    // The maker the program hands to the start-up.
    static VTStartup::MainWindowMaker maker();

private:
    VTRealTimeEngineLink link_;
    std::unique_ptr<TMainForm> form_;
    std::unique_ptr<VTDialogWindows> dialogs_;
};
