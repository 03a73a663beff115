#pragma once

#include <QCoreApplication>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "DialogFixture.h"
#include "app/dialogs/modulation/TConfigAutomationForm.h"
#include "app/dialogs/modulation/TQuickMapMIDIForm.h"
#include "app/dialogs/modulation/VTMidiMappingPanel.h"
#include "app/dialogs/modulation/VTMidiSourceGroup.h"
#include "app/dialogs/modulation/VTModulationDialogs.h"
#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionFactory.h"
#include "contraptions/VTContraptionMaker.h"
#include "control/VTMidiControllerFactory.h"
#include "editors/TContraptionForm.h"
#include "platform/VTHelpViewer.h"

#include "../support/RecordingHelpViewer.h"

namespace vantrel::test {

// The dialog fixture with the controllers made for the fixture's own control server, so that
// messages sent on the simulated "Keys" port reach them.
class ModulationTest : public DialogTest {
protected:
    void SetUp() override {
        previousFactory = VTPropertyControllerFactory::current();
        VTPropertyControllerFactory::install(&factory);
        DialogTest::SetUp();
    }
    void TearDown() override {
        DialogTest::TearDown();
        VTPropertyControllerFactory::install(previousFactory);
        std::error_code ignored;
        std::filesystem::remove(patchPath(), ignored);
    }

    VTContraption& add(const char* makerName) {
        VTContraption* c = AddFromMenu(makerName);
        EXPECT_NE(c, nullptr) << makerName;
        return *c;
    }
    static int indexOf(VTContraption& c, const char* property) {
        return c.processor().propertyTable().indexOf(property);
    }
    TContraptionForm& editorOf(VTContraption& c) {
        c.showEditor();
        return *static_cast<TContraptionForm*>(c.formState().editorWindow());
    }
    // Chooses an item of the editor's parameter pop-up for a property, as a right click does.
    void popupItem(VTContraption& c, const char* property, const char* objectName) {
        TContraptionForm& editor = editorOf(c);
        editor.popupParameterMenu(QPoint(10, 10), property);
        editor.parameterMenu().close();
        for (QAction* a : editor.parameterMenu().actions())
            if (a->objectName() == objectName) a->trigger();
    }

    void enableMidi() {
        engine->MidiInputs().EnableMidiControllers();
        ASSERT_TRUE(engine->MidiInputs().MidiControllersEnabled());
    }
    void send(std::initializer_list<unsigned char> bytes) {
        midi.send("Keys", bytes, 0.0);
        // A learned key reaches the window through its event queue.
        QCoreApplication::processEvents();
    }

    VTModulationDialogs& dialogs() { return windows->Modulation(); }
    TConfigAutomationForm& modulation() { return dialogs().modulationForm(); }

    // Saves the patch and opens it again, leaving it unmodified.
    void saveAndReopen() {
        ASSERT_TRUE(doc().WriteFile(patchPath()));
        box.fallback = VTMessageAnswer::No;
        ASSERT_TRUE(form->OpenPath(patchPath()));
        ASSERT_FALSE(doc().IsModified());
    }
    static std::string patchPath() {
        return (std::filesystem::temp_directory_path() / "vantrel-modulation-test.vtx").string();
    }

    // Runs `inside` once the modal window is up; closes it after a while if the test did not,
    // so that no modal stays open.
    static void whileModal(std::function<void()> inside) {
        QTimer::singleShot(0, [inside] { inside(); });
        QTimer::singleShot(3000, [] {
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
        });
    }

    VTMidiControllerFactory factory{server};
    VTPropertyControllerFactory* previousFactory = nullptr;
    RecordingHelpViewer help;
};

}  // namespace vantrel::test
