#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>
#include <string>

#include "../support/QtTestEnvironment.h"
#include "../support/RecordingMessageBox.h"
#include "app/dialogs/VTDialogWindows.h"
#include "app/gui/TMainForm.h"
#include "app/gui/VTRealTimeEngineLink.h"
#include "audio/TRealTimeEngine.h"
#include "audio/VTIOContraptionPool.h"
#include "contraptions/VTContraptionFactory.h"
#include "contraptions/VTContraptionMaker.h"
#include "control/VTMidiControlServer.h"
#include "document/VTDocument.h"
#include "platform/VTMemorySettingsStore.h"
#include "platform/audio/KDAudioSystem.h"
#include "platform/audio/KDSimulatedAudio.h"
#include "platform/midi/KDSimulatedMidiDriver.h"

namespace vantrel::test {

// The main window over the real engine on simulated devices, with its secondary windows, an
// in-memory settings store and a recording message box.
class DialogTest : public ::testing::Test {
protected:
    DialogTest() : system(sim) {
        sim.AddDevice(KDAudioDirection::Output, {"Speakers", 2, true, 0xFFFFFFFFu, 0, ""});
        sim.AddDevice(KDAudioDirection::Input, {"Microphone", 2, true, 0xFFFFFFFFu, 0, ""});
        system.AddBackend(sim);
    }

    void SetUp() override {
        engine = std::make_unique<TRealTimeEngine>(system, VTIOContraptionPool::instance(),
                                                   engineSettings, midi, server);
        link = std::make_unique<VTRealTimeEngineLink>(*engine);
        form = std::make_unique<TMainForm>(*link, settings);
        windows = std::make_unique<VTDialogWindows>(*form, *engine);
        form->SetSecondaryWindows(windows.get());
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void TearDown() override {
        form->SetSecondaryWindows(nullptr);
        windows.reset();
        form.reset();
        link.reset();
        engine.reset();
    }

    VTDocument& doc() { return *form->Document(); }

    // Creates a contraption as the patcher's "New" menu does, each at its own spot; null when
    // the maker is unknown or refuses (a device kind placed twice).
    VTContraption* AddFromMenu(const std::string& makerName) {
        VTContraptionMaker* maker = VTContraptionFactory::instance().findMaker(makerName);
        if (!maker) return nullptr;
        const int before = doc().ContraptionCount();
        form->PatcherPressed(20 + 60 * before, 20, false);
        form->AddContraptionFromMenu(maker->index());
        if (doc().ContraptionCount() == before) return nullptr;
        return doc().ContraptionAt(doc().ContraptionCount() - 1);
    }

    KDSimulatedAudio sim;
    KDAudioSystem system;
    KDSimulatedMidiDriver midi{{"Keys"}};
    VTMidiControlServer server;
    VTMemorySettingsStore engineSettings;
    VTMemorySettingsStore settings;
    RecordingMessageBox box;
    std::unique_ptr<TRealTimeEngine> engine;
    std::unique_ptr<VTRealTimeEngineLink> link;
    std::unique_ptr<TMainForm> form;
    std::unique_ptr<VTDialogWindows> windows;
};

}  // namespace vantrel::test
