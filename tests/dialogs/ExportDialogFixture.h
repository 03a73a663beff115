#pragma once

#include <QTemporaryDir>
#include <QTimer>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "../support/TestProcessors.h"
#include "DialogFixture.h"
#include "app/dialogs/export/TExportAsWaveForm.h"
#include "app/dialogs/export/TProgressForm.h"
#include "audio/VTSoundOut.h"
#include "contraptions/VTContraptionFactory.h"
#include "contraptions/VTContraptionMaker.h"
#include "platform/VTHelpViewer.h"

#include "../support/RecordingHelpViewer.h"

namespace vantrel::test {

// The export dialog of the main window, answered from the test: `whenShown` holds what to do
// each time the dialog comes up (an empty queue cancels it, so no test leaves it open), the
// file chooser answers from `files`, and `duringExport` runs whenever the export lets window
// messages run.
class ExportDialogTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        dialog().SetFileChooser([this](QWidget*, const std::string& initial) {
            initialNames.push_back(initial);
            handled_ = false;  // the dialog is hidden now; it may come back
            dialogVisibleInChooser = dialog().isVisible();
            audioInChooser = engine->IsAudioRunning();
            std::optional<std::string> answer;
            if (!files.empty()) {
                answer = files.front();
                files.pop_front();
            }
            return answer;
        });
        // Unknown free space: the export goes ahead.
        dialog().SetFreeSpaceQuery([](const std::string&) { return std::nullopt; });
    }

    TExportAsWaveForm& dialog() { return windows->ExportForm(); }
    TProgressForm& progress() { return dialog().ProgressForm(); }

    // SoundOut fed a constant on both channels.
    void constantPatch(float value) {
        ASSERT_NE(AddFromMenu("SoundOut"), nullptr);
        SGDynSigContext& context = doc().Context();
        std::lock_guard<SGMutex> hold(context.mutex());
        auto* source = new ConstantSource(value, 2);  // owned by the context
        source->setContext(&context);
        VTSoundOut* out = VTIOContraptionPool::instance().soundOut();
        context.connect(source, 0, out, 0);
        context.connect(source, 1, out, 1);
    }

    // Opens the export as the menu command does, with the answers queued before.
    void showExport() {
        handled_ = false;
        QTimer driver;
        driver.setInterval(0);
        QObject::connect(&driver, &QTimer::timeout, [this] { drive(); });
        driver.start();
        windows->ShowExport();
        driver.stop();
        ASSERT_FALSE(dialog().isVisible());
        ASSERT_FALSE(progress().isVisible());
    }

    std::string path(const std::string& name) const {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }
    static std::vector<char> bytesOf(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static bool exists(const std::string& file) { return std::filesystem::exists(file); }

    QTemporaryDir dir;
    std::deque<std::function<void(TExportAsWaveForm&)>> whenShown;
    std::deque<std::optional<std::string>> files;
    std::function<void(TProgressForm&)> duringExport;
    std::vector<std::string> initialNames;
    int showings = 0;
    bool dialogVisibleInChooser = true;
    bool audioInChooser = true;

    // Whether the present showing of the dialog has had its answer.
    bool handled_ = false;

private:
    void drive() {
        if (dialog().isVisible() && !handled_) {
            handled_ = true;
            ++showings;
            if (whenShown.empty()) {
                dialog().CancelButton()->click();
            } else {
                auto action = whenShown.front();
                whenShown.pop_front();
                action(dialog());
                if (dialog().isVisible()) dialog().reject();
            }
        } else if (!dialog().isVisible()) {
            handled_ = false;
        }
        if (progress().isVisible() && duringExport) duringExport(progress());
    }
};

}  // namespace vantrel::test
