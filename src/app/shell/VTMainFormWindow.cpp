#include "app/shell/VTMainFormWindow.h"

#include "app/dialogs/VTDialogWindows.h"
#include "app/gui/TMainForm.h"
#include "audio/TRealTimeEngine.h"

VTMainFormWindow::VTMainFormWindow(TRealTimeEngine& engine, VTSettingsStore& settings)
    : link_(engine),
      form_(std::make_unique<TMainForm>(link_, settings)),
      dialogs_(std::make_unique<VTDialogWindows>(*form_, engine)) {
    form_->SetSecondaryWindows(dialogs_.get());
}

VTMainFormWindow::~VTMainFormWindow() {
    // The dialogs go first: they are the window's children and hold on to it.
    form_->SetSecondaryWindows(nullptr);
    dialogs_.reset();
    form_.reset();
}

QMainWindow& VTMainFormWindow::window() { return *form_; }

void VTMainFormWindow::openPath(const std::string& path) { form_->OpenPath(path); }

void VTMainFormWindow::enableAudio() {
    if (!link_.IsAudioRunning()) form_->EnableAudio();
}

void VTMainFormWindow::playFromStart() { form_->PlayFromStart(); }

void VTMainFormWindow::setAboutHandler(std::function<void()> handler) {
    form_->SetAboutHandler(std::move(handler));
}

VTStartup::MainWindowMaker VTMainFormWindow::maker() {
    return [](VTStartup::Services& services) -> std::unique_ptr<VTStartupMainWindow> {
        return std::make_unique<VTMainFormWindow>(services.engine, services.settings);
    };
}
