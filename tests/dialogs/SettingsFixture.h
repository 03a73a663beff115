#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "DialogFixture.h"
#include "app/dialogs/settings/TDeviceGrid.h"
#include "app/dialogs/settings/TDevicePage.h"
#include "app/dialogs/settings/TDirectorySelectionForm.h"
#include "app/dialogs/settings/TSettingsForm.h"
#include "contraptions/VTContraptionFactory.h"
#include "contraptions/VTContraptionMaker.h"
#include "platform/VTHelpViewer.h"
#include "platform/audio/KDNullBackend.h"
#include "wave/SharedSoundFilePaths.h"

#include "../support/RecordingHelpViewer.h"

namespace vantrel::test {

// The dialog fixture with more devices: outputs "(None)", "Speakers" (2 channels), "Quad"
// (4 channels), "Broken" (will not open), "Null Output"; inputs "(None)", "Microphone",
// "Line In", "Null Input"; MIDI inputs "Keys" and "Clock Box". The shared search directories are
// put back as they were after each test.
class SettingsTest : public DialogTest {
protected:
    static constexpr int kSpeakers = 1, kQuad = 2, kBroken = 3, kNullOut = 4;
    static constexpr int kMicrophone = 1, kLineIn = 2, kNullIn = 3;

    SettingsTest() {
        sim.AddDevice(KDAudioDirection::Output, {"Quad", 4, true, 0xFFFFFFFFu, 0, ""});
        sim.AddDevice(KDAudioDirection::Output,
                      {"Broken", 2, true, 0xFFFFFFFFu, 7, "device unplugged"});
        sim.AddDevice(KDAudioDirection::Input, {"Line In", 2, true, 0xFFFFFFFFu, 0, ""});
        system.AddBackend(std::make_unique<KDNullBackend>());
        midi.addDevice("Clock Box");
        savedPaths = sharedSoundFilePaths().searchPaths();
    }
    ~SettingsTest() override { sharedSoundFilePaths().setSearchPaths(savedPaths); }

    void TearDown() override {
        standalone.reset();
        if (form) {
            DialogTest::TearDown();
        } else {
            engine.reset();
        }
    }

    // The window as the menu command opens it; built on first use.
    TSettingsForm& Dialog() {
        if (!standalone) standalone = std::make_unique<TSettingsForm>(*engine);
        return *standalone;
    }

    // Runs "&Settings..." from the main window's menu; `inside` gets the open modal dialog and
    // may close it. Whatever it leaves open is closed with the close box.
    void WhileOpen(const std::function<void(TSettingsForm&)>& inside) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TSettingsForm*>(QApplication::activeModalWidget());
            if (!dialog) {
                if (QWidget* other = QApplication::activeModalWidget()) other->close();
                return;
            }
            ran = true;
            inside(*dialog);
            if (dialog->isVisible()) dialog->close();
        });
        form->MenuAction("&Settings...")->trigger();
        ASSERT_TRUE(ran) << "the settings dialog did not open modally";
    }

    // Runs the directory chooser opened by "Add..." and answers it.
    static void AddDirectory(TSettingsForm& dialog, const QString& path, bool ok) {
        QTimer::singleShot(0, [&dialog, path, ok] {
            TDirectorySelectionForm& chooser = dialog.DirectoryChooser();
            chooser.SetPath(path);
            (ok ? chooser.OkButton() : chooser.CancelButton()).click();
        });
        dialog.AddButton().click();
    }

    static void Choose(TDevicePage& page, int row, int device) {
        page.Grid().setCurrentCell(row, 1);
        page.Grid().DeviceList().setCurrentIndex(device);
    }
    static void SelectText(QComboBox& list, const QString& text) {
        list.setCurrentIndex(list.findText(text));
    }

    // Destroys the main window and the engine (which stores its settings) and makes a new
    // engine over the same store, without a main window; `between` runs while no engine exists.
    void RestartEngineOnly(const std::function<void()>& between = {}) {
        TearDown();
        if (between) between();
        engine = std::make_unique<TRealTimeEngine>(system, VTIOContraptionPool::instance(),
                                                   engineSettings, midi, server);
    }

    std::unique_ptr<TSettingsForm> standalone;
    std::vector<std::string> savedPaths;
};

}  // namespace vantrel::test
