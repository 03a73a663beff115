#pragma once

// The main window under Qt's offscreen platform with a simulated engine, an in-memory settings
// store, document dialogs answered from the test and a recording message box.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>

#include "../support/QtTestEnvironment.h"
#include "../support/RecordingMessageBox.h"
#include "app/gui/BraskDocDialogs.h"
#include "app/gui/TMainForm.h"
#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionFactory.h"
#include "contraptions/VTContraptionMaker.h"
#include "document/KDDocumentDialogs.h"
#include "document/VTDocument.h"
#include "library/plugins/VSTPluginFolder.h"
#include "makers/VTMakerTable.h"
#include "platform/KDTextClipboard.h"
#include "platform/VTMemorySettingsStore.h"
#include "ui/KDPatcherConnection.h"
#include "ui/KDPatcherNode.h"
#include "ui/KDPatcherPanel.h"
#include "ui/qt/KDQtPatcherWidget.h"

namespace vantrel::test {

// An engine without devices: audio runs when the test says so.
class FakeEngine : public VTMainEngine {
public:
    void SetSignalContext(SGDynSigContext* c) override { context = c; }
    void StartAudio() override {
        ++starts;
        if (failStart) throw std::runtime_error(failText);
        running = true;
    }
    void StopAudio() override { running = false; }
    bool IsAudioRunning() const override { return running; }
    void UpdateDeviceUse() override { ++deviceUpdates; }
    MeterSnapshot CurrentMeterSnapshot() override { return snapshot; }
    std::string CpuLoadText() const override { return cpuText; }
    bool TakeOverloadIndicator() override { return std::exchange(overload, false); }
    bool MidiControllersEnabled() const override { return midiOn; }
    bool CanEnableMidiControllers() const override { return canMidi; }
    void EnableMidiControllers() override { midiOn = true; }
    void DisableMidiControllers() override { midiOn = false; }
    bool ChaseSyncEnabled() const override { return chaseOn; }
    bool CanEnableChaseSync() const override { return canChase; }
    void EnableChaseSync() override { chaseOn = true; }
    void DisableChaseSync() override { chaseOn = false; }

    SGDynSigContext* context = nullptr;
    bool running = false;
    bool failStart = false;
    std::string failText = "The device is unplugged.";
    int starts = 0;
    int deviceUpdates = 0;
    MeterSnapshot snapshot;
    std::string cpuText = "CPU Load: 12.50";
    bool overload = false;
    bool midiOn = false, canMidi = false, chaseOn = false, canChase = false;
};

// The document's questions answered from queues; an empty queue answers Cancel / none.
class FakeDialogs : public KDDocumentDialogs {
public:
    enum class Answer { Yes, No, Cancel };

    bool AskSaveChanges(bool& cancelled) override {
        ++asked;
        Answer a = Answer::Cancel;
        if (!saveAnswers.empty()) {
            a = saveAnswers.front();
            saveAnswers.pop_front();
        }
        cancelled = a == Answer::Cancel;
        return a == Answer::Yes;
    }
    bool ConfirmRevert() override { return revert; }
    std::optional<std::string> GetOpenPath() override {
        ++openDialogs;
        return take(openPaths);
    }
    std::optional<std::string> GetSavePath(const std::optional<std::string>&) override {
        ++saveDialogs;
        return take(savePaths);
    }

    std::deque<Answer> saveAnswers;
    std::deque<std::optional<std::string>> openPaths;
    std::deque<std::optional<std::string>> savePaths;
    bool revert = true;
    int asked = 0, openDialogs = 0, saveDialogs = 0;

private:
    static std::optional<std::string> take(std::deque<std::optional<std::string>>& q) {
        if (q.empty()) return std::nullopt;
        auto v = q.front();
        q.pop_front();
        return v;
    }
};

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override {
        form.reset();
        KDTextClipboard::current().setText("");
    }

    // The window, shown at its first size.
    TMainForm& make(bool show = true) {
        auto d = std::make_unique<FakeDialogs>();
        dialogs = d.get();
        TMainForm::Options options;
        options.dialogs = std::move(d);
        options.plugins = &plugins;
        options.volumeCommand = volumeCommand;
        form = std::make_unique<TMainForm>(engine, settings, std::move(options));
        if (show) {
            form->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
            settle();
        }
        return *form;
    }
    // Lets layouts and posted events run.
    static void settle() {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }

    VTDocument& doc() { return *form->Document(); }
    KDPatcherPanel& panel() { return form->Patcher(); }

    static int makerIndex(const std::string& name) {
        VTContraptionMaker* m = VTContraptionFactory::instance().findMaker(name);
        return m ? m->index() : -1;
    }

    std::string path(const std::string& name) const {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }
    static void write(const std::string& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }
    static std::string read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    // A contraption from the "New" menu at a point, as a right press there and the item.
    VTContraption* addFromMenu(const std::string& maker, int x, int y) {
        form->PatcherPressed(x, y, true);
        form->PatcherPopup().hide();
        QAction* item = form->MakerAction(makerIndex(maker));
        if (!item) return nullptr;
        const int before = doc().ContraptionCount();
        item->trigger();
        if (doc().ContraptionCount() == before) return nullptr;
        return doc().ContraptionAt(doc().ContraptionCount() - 1);
    }
    static KDPatcherNode* nodeOf(VTContraption* c) { return static_cast<KDPatcherNode*>(c->node); }

    // A wire dragged from an outlet to an inlet through the patcher's mouse events.
    void drag(KDPatcherNode* from, int outlet, KDPatcherNode* to, int inlet) {
        const int sx = from->Left() + 6 + KDPatcherNode::kPortPitch * outlet;
        const int sy = from->Bottom() - 2;
        const int dx = to->Left() + 6 + KDPatcherNode::kPortPitch * inlet;
        const int dy = to->Top() + 2;
        panel().MouseDown({sx, sy, KDMouseButton::Left, ssLeft});
        panel().MouseMove({(sx + dx) / 2, (sy + dy) / 2, KDMouseButton::None, ssLeft});
        panel().MouseMove({dx, dy, KDMouseButton::None, ssLeft});
        panel().MouseUp({dx, dy, KDMouseButton::Left, ssNone});
    }
    void focusPatcher() {
        form->PatcherWidget().Viewport()->setFocus();
        settle();
    }

    QTemporaryDir dir;
    FakeEngine engine;
    VTMemorySettingsStore settings;
    RecordingMessageBox box;
    VSTPluginFolder plugins;
    std::optional<std::vector<std::string>> volumeCommand = std::vector<std::string>{};
    FakeDialogs* dialogs = nullptr;
    std::unique_ptr<TMainForm> form;
};

}  // namespace vantrel::test
