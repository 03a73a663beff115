#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "ModulationFixture.h"
#include "library/effects/VTFlanger.h"
#include "library/generators/VTTestSignalGenerator.h"

namespace vantrel::test {
namespace {

VTMidiSource sourceOf(VTContraption& c, int index, int which = 0) {
    VTMidiControlClient* client = VTMappedParameter(c, index).source(which);
    return client ? client->getSource() : VTMidiSource{};
}

TEST_F(ModulationTest, QuickMapFromTheEditorMapsTheFirstControllerAndCloses) {
    VTContraption& gen = add("TestGen");
    const int amplitude = indexOf(gen, "Amplitude");
    enableMidi();
    saveAndReopen();
    VTContraption& tone = *doc().ContraptionAt(0);

    bool wasLearning = false, wasAutomatic = false;
    int height = 0;
    whileModal([&] {
        TQuickMapMIDIForm& w = dialogs().quickMapForm();
        wasLearning = w.panel().learningGroup() == 0 && server.learnTarget() == &w.panel();
        wasAutomatic = w.automaticMode();
        height = w.height();
        send({0xB3, 74, 64});
    });
    popupItem(tone, "Amplitude", "_VTPropPopupQuickmapMIDI");

    TQuickMapMIDIForm& w = dialogs().quickMapForm();
    EXPECT_EQ(w.windowTitle(), "Quick-Map MIDI Controller");
    EXPECT_TRUE(wasLearning);
    EXPECT_TRUE(wasAutomatic);
    EXPECT_EQ(height, TQuickMapMIDIForm::kOneGroupHeight);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(sourceOf(tone, amplitude), (VTMidiSource{0xB0, 3, 74}));
    EXPECT_EQ(server.learnTarget(), nullptr);
    // Mapped by quick-map only: the patch must still be saved.
    EXPECT_TRUE(doc().IsModified());

    send({0xB3, 74, 127});
    EXPECT_NEAR(static_cast<VTTestSignalGenerator&>(tone.processor()).amplitude.value(),
                16256.0 / 16383.0, 1e-9);
}

TEST_F(ModulationTest, QuickMapOfARangeLearnsTheCentreThenTheWidth) {
    VTContraption& flanger = add("Flanger");
    const int range = indexOf(flanger, "FrequencyRange");
    enableMidi();

    bool widthWaited = false;
    int height = 0;
    whileModal([&] {
        TQuickMapMIDIForm& w = dialogs().quickMapForm();
        height = w.height();
        send({0xB0, 80, 10});
        // The same controller moving on is not taken for the width.
        send({0xB0, 80, 11});
        widthWaited =
            w.isVisible() && w.secondLearnTimer().isActive() && w.panel().learningGroup() == -1;
        QTest::qWait(TQuickMapMIDIForm::kSecondLearnDelayMs + 150);
        send({0xB0, 81, 10});
    });
    dialogs().quickMapMidi(flanger, range, flanger.processor().propertyTable().info(range));

    EXPECT_EQ(height, TQuickMapMIDIForm::kTwoGroupsHeight);
    EXPECT_TRUE(widthWaited);
    EXPECT_FALSE(dialogs().quickMapForm().isVisible());
    EXPECT_EQ(sourceOf(flanger, range, 0), (VTMidiSource{0xB0, 0, 80}));
    EXPECT_EQ(sourceOf(flanger, range, 1), (VTMidiSource{0xB0, 0, 81}));
}

TEST_F(ModulationTest, PressingAQuickMapButtonByHandEndsAutomaticMode) {
    VTContraption& gen = add("TestGen");
    const int frequency = indexOf(gen, "Frequency");
    enableMidi();

    bool stayedOpen = false;
    whileModal([&] {
        TQuickMapMIDIForm& w = dialogs().quickMapForm();
        w.panel().group(0).quickMapButton().click();  // release
        w.panel().group(0).quickMapButton().click();  // press again by hand
        send({0xB0, 70, 1});
        stayedOpen = w.isVisible() && !w.automaticMode();
        // Hand edits apply at once; Cancel keeps them.
        w.panel().group(0).channelList().setCurrentIndex(6);
        w.cancelButton().click();
    });
    dialogs().quickMapMidi(gen, frequency, gen.processor().propertyTable().info(frequency));

    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(sourceOf(gen, frequency), (VTMidiSource{0xB0, 6, 70}));
    EXPECT_EQ(server.learnTarget(), nullptr);
}

TEST_F(ModulationTest, WithMidiControllersOffQuickMapOnlyShowsTheSource) {
    VTContraption& gen = add("TestGen");
    const int frequency = indexOf(gen, "Frequency");
    bool learning = true, buttonEnabled = true;
    whileModal([&] {
        TQuickMapMIDIForm& w = dialogs().quickMapForm();
        learning = w.automaticMode() || server.learnTarget() != nullptr;
        buttonEnabled = w.panel().group(0).quickMapButton().isEnabled();
        w.okButton().click();
    });
    dialogs().quickMapMidi(gen, frequency, gen.processor().propertyTable().info(frequency));
    EXPECT_FALSE(learning);
    EXPECT_FALSE(buttonEnabled);
    EXPECT_FALSE(dialogs().quickMapForm().isVisible());
    // Opening it made the controller, without a source.
    EXPECT_NE(gen.controllers().existingController(frequency), nullptr);
    EXPECT_EQ(sourceOf(gen, frequency), VTMidiSource{});
}

TEST_F(ModulationTest, TheMenusQuickMapFollowsTheModulationWindowsSelection) {
    VTContraption& gen = add("TestGen");
    windows->ShowQuickMap();  // nothing chosen yet: nothing opens
    EXPECT_EQ(dialogs().existingQuickMapForm(), nullptr);

    const int amplitude = indexOf(gen, "Amplitude");
    dialogs().setupModulation(gen, amplitude);
    enableMidi();
    modulation().panel().updateLearnAvailability();
    modulation().panel().group(0).quickMapButton().click();
    whileModal([&] { send({0xB0, 75, 1}); });
    windows->ShowQuickMap();
    EXPECT_EQ(sourceOf(gen, amplitude), (VTMidiSource{0xB0, 0, 75}));
    // The modulation window gave its learn request over to the quick-map.
    EXPECT_EQ(modulation().panel().learningGroup(), -1);
    EXPECT_FALSE(modulation().panel().group(0).quickMapButton().isChecked());
    // The modulation window shows what quick-map learned once it is looked at again.
    modulation().rebuildTree();
    EXPECT_EQ(modulation().panel().group(0).shownSource(), (VTMidiSource{0xB0, 0, 75}));
}

}  // namespace
}  // namespace vantrel::test
