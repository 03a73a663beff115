#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include "ModulationFixture.h"
#include "app/dialogs/modulation/VTMidiSourceChoice.h"
#include "control/VTMidiPropertyController.h"
#include "library/effects/VTFlanger.h"
#include "library/generators/VTTestSignalGenerator.h"
#include "params/SGPropertyUnits.h"

namespace vantrel::test {
namespace {

VTMidiControlClient& sourceOf(VTContraption& c, int index, int which = 0) {
    VTMidiControlClient* client = VTMappedParameter(c, index).source(which);
    EXPECT_NE(client, nullptr);
    return *client;
}

QStringList childNames(QTreeWidgetItem* top) {
    QStringList names;
    for (int k = 0; k < top->childCount(); ++k) names << top->child(k)->text(0);
    return names;
}

// Picks a source in a group by hand: type entry, channel entry, then number.
void choose(VTMidiSourceGroup& group, int typeEntry, int channelEntry, int number) {
    group.typeList().setCurrentIndex(typeEntry);
    group.channelList().setCurrentIndex(channelEntry);
    group.numberField().setValue(number);
}

TEST(MidiSourceChoice, ChangingTheTypeKeepsTheChannelAndAdaptsTheNumber) {
    struct Case {
        VTMidiSource before;
        std::uint8_t type;
        VTMidiSource after;
    };
    const Case cases[] = {
        {{0xB0, 3, 74}, 0xB0, {0xB0, 3, 74}},  // 7-bit keeps its controller
        {{0xB0, 3, 40}, 0xF0, {0xF0, 3, 8}},   // the pair's first controller
        {{0xB0, 3, 20}, 0xF0, {0xF0, 3, 20}},
        {{0xB0, 3, 74}, 0xF0, {0xF0, 3, 0}},  // still above 31 after the pair
        {{0xF0, 5, 9}, 0xB0, {0xB0, 5, 9}},
        {{0xB0, 5, 9}, 0xC0, {0xC0, 5, 0}},  // no number for the other types
        {{0xB0, 5, 9}, 0xE0, {0xE0, 5, 0}},
        {{0xE0, 5, 0}, 0, {0, 5, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VTMidiSourceChoice::withType(c.before, c.type), c.after)
            << int(c.before.type) << " " << c.before.number << " -> " << int(c.type);
    EXPECT_EQ(VTMidiSourceChoice::numberMaximum(0xB0), 97);
    EXPECT_EQ(VTMidiSourceChoice::numberMaximum(0xF0), 31);
    EXPECT_EQ(VTMidiSourceChoice::numberMaximum(0xC0), 0);
    EXPECT_EQ(VTMidiSourceChoice::fromKey(((0xB0 | 2) << 8) + 74), (VTMidiSource{0xB0, 2, 74}));
    EXPECT_EQ(VTMidiSourceChoice::fromKey(((0xF0 | 15) << 8) + 10), (VTMidiSource{0xF0, 15, 10}));
    EXPECT_EQ(VTMidiSourceChoice::fromKey((0xE0 | 4) << 8), (VTMidiSource{0xE0, 4, 0}));
}

TEST_F(ModulationTest, TheEditorsSetupItemOpensTheWindowWithThatParameterSelected) {
    VTContraption& gen = add("TestGen");
    VTContraption& flanger = add("Flanger");
    popupItem(gen, "Frequency", "_VTPropPopupMapModulation");

    TConfigAutomationForm& w = modulation();
    ASSERT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), "Parameter Modulation");
    EXPECT_EQ(w.tabs().tabText(1), "MIDI Range");
    ASSERT_EQ(w.tree().topLevelItemCount(), 2);
    QTreeWidgetItem* genItem = w.tree().topLevelItem(0);
    QTreeWidgetItem* flangerItem = w.tree().topLevelItem(1);
    EXPECT_EQ(genItem->text(0).toStdString(), gen.name());
    EXPECT_EQ(flangerItem->text(0).toStdString(), flanger.name());
    // "Waveform" has no range and is left out.
    EXPECT_EQ(childNames(genItem), QStringList({"Preset Number", "Amplitude", "Frequency"}));
    EXPECT_EQ(childNames(flangerItem),
              QStringList({"Preset Number", "FrequencyRange", "Rate", "Feedback", "WetDryMix"}));
    EXPECT_TRUE(genItem->isExpanded());
    EXPECT_FALSE(genItem->flags() & Qt::ItemIsSelectable);

    ASSERT_TRUE(w.selectedParameter());
    EXPECT_EQ(*w.selectedParameter(), VTMappedParameter(gen, indexOf(gen, "Frequency")));
    EXPECT_EQ(w.parameterLabel().text().toStdString(), gen.name() + ".Frequency");
    const SGPropertyInfo& info = gen.processor().propertyTable().info(indexOf(gen, "Frequency"));
    EXPECT_EQ(w.rangeLabel().text().toStdString(),
              info.units->format(10.0) + " - " + info.units->format(20000.0));
    // Opening on a parameter makes its controller, so the table is stored from now on.
    EXPECT_NE(gen.controllers().existingController(indexOf(gen, "Frequency")), nullptr);
    EXPECT_EQ(w.panel().group(0).title(), "MIDI Control Source");
    EXPECT_FALSE(w.panel().group(1).isVisibleTo(&w));

    // A range parameter has a centre and a width; the preset number spans the 20 slots.
    ASSERT_TRUE(w.select(VTMappedParameter(flanger, indexOf(flanger, "FrequencyRange"))));
    EXPECT_EQ(w.panel().group(0).title(), "MIDI Control Source ( Center Value )");
    EXPECT_EQ(w.panel().group(1).title(), "MIDI Control Source ( Width )");
    EXPECT_TRUE(w.panel().group(1).isVisibleTo(&w));
    ASSERT_TRUE(w.select(VTMappedParameter(flanger, VTMappedParameter::kPresetNumber)));
    EXPECT_EQ(w.rangeLabel().text(), "1 - 20");
    EXPECT_EQ(w.parameterLabel().text().toStdString(), flanger.name() + ".Preset Number");
    EXPECT_NE(flanger.controllers().existingPresetController(), nullptr);
}

TEST_F(ModulationTest, TheMenuCommandOpensTheWindowForNoParameter) {
    add("TestGen");
    windows->ShowModulation();
    TConfigAutomationForm& w = modulation();
    ASSERT_TRUE(w.isVisible());
    EXPECT_FALSE(w.selectedParameter());
    EXPECT_FALSE(w.panel().group(0).isEnabled());
    EXPECT_EQ(w.parameterLabel().text(), "");
}

TEST_F(ModulationTest, TheEditorsPopupReachesTheWindowsOnlyWhileTheyExist) {
    VTContraption& gen = add("TestGen");
    EXPECT_EQ(VTParameterDialogs::current(), &dialogs());
    form->SetSecondaryWindows(nullptr);
    windows.reset();
    EXPECT_EQ(VTParameterDialogs::current(), nullptr);
    popupItem(gen, "Amplitude", "_VTPropPopupMapModulation");  // does nothing
    EXPECT_EQ(gen.controllers().existingController(indexOf(gen, "Amplitude")), nullptr);
}

TEST_F(ModulationTest, ASourceSetUpInTheWindowMovesTheParameter) {
    VTContraption& gen = add("TestGen");
    auto& tone = static_cast<VTTestSignalGenerator&>(gen.processor());
    const int amplitude = indexOf(gen, "Amplitude");
    dialogs().setupModulation(gen, amplitude);
    VTMidiSourceGroup& group = modulation().panel().group(0);
    EXPECT_FALSE(group.numberField().isEnabled());
    EXPECT_FALSE(group.channelList().isEnabled());

    choose(group, 1, 1, 7);  // 7-bit control change, channel 2, controller 7
    EXPECT_EQ(sourceOf(gen, amplitude).getSource(), (VTMidiSource{0xB0, 1, 7}));
    EXPECT_TRUE(group.numberField().isEnabled());
    EXPECT_EQ(group.numberField().maximum(), 97);

    enableMidi();
    send({0xB1, 7, 127});
    EXPECT_NEAR(tone.amplitude.value(), 16256.0 / 16383.0, 1e-9);
    send({0xB0, 7, 0});  // another channel
    EXPECT_NEAR(tone.amplitude.value(), 16256.0 / 16383.0, 1e-9);

    // The number follows the type: 14-bit takes controller 7 of the pair, pitch bend none.
    group.typeList().setCurrentIndex(2);
    EXPECT_EQ(sourceOf(gen, amplitude).getSource(), (VTMidiSource{0xF0, 1, 7}));
    EXPECT_EQ(group.numberField().maximum(), 31);
    group.typeList().setCurrentIndex(5);
    EXPECT_EQ(sourceOf(gen, amplitude).getSource(), (VTMidiSource{0xE0, 1, 0}));
    EXPECT_FALSE(group.numberField().isEnabled());
    send({0xE1, 0, 64});
    EXPECT_NEAR(tone.amplitude.value(), 8192.0 / 16383.0, 1e-9);
}

TEST_F(ModulationTest, TheRangeWidthSourceCanBeSetByHand) {
    VTContraption& flanger = add("Flanger");
    auto& fl = static_cast<VTFlanger&>(flanger.processor());
    const int range = indexOf(flanger, "FrequencyRange");
    dialogs().setupModulation(flanger, range);
    choose(modulation().panel().group(0), 1, 0, 20);
    choose(modulation().panel().group(1), 1, 0, 21);
    EXPECT_EQ(sourceOf(flanger, range, 1).getSource(), (VTMidiSource{0xB0, 0, 21}));
    enableMidi();
    send({0xB0, 21, 0});  // no width: both ends meet at the centre
    EXPECT_FLOAT_EQ(fl.frequencyRange.low(), fl.frequencyRange.high());
}

TEST_F(ModulationTest, QuickMapLearnsTheNextControllerThatMoves) {
    VTContraption& gen = add("TestGen");
    const int frequency = indexOf(gen, "Frequency");
    dialogs().setupModulation(gen, frequency);
    VTMidiMappingPanel& panel = modulation().panel();
    QPushButton& button = panel.group(0).quickMapButton();
    EXPECT_FALSE(button.isEnabled());  // MIDI controllers are off

    enableMidi();
    panel.updateLearnAvailability();
    ASSERT_TRUE(button.isEnabled());
    button.click();
    EXPECT_TRUE(button.isChecked());
    EXPECT_EQ(server.learnTarget(), &panel);

    send({0x90, 60, 100});  // a note is not a controller
    EXPECT_TRUE(button.isChecked());
    send({0xB2, 74, 10});
    EXPECT_EQ(sourceOf(gen, frequency).getSource(), (VTMidiSource{0xB0, 2, 74}));
    EXPECT_FALSE(button.isChecked());
    EXPECT_EQ(server.learnTarget(), nullptr);
    EXPECT_EQ(panel.group(0).shownSource(), (VTMidiSource{0xB0, 2, 74}));

    // Controllers 0 ... 31 are learned as 14-bit pairs.
    button.click();
    send({0xB5, 10, 1});
    EXPECT_EQ(sourceOf(gen, frequency).getSource(), (VTMidiSource{0xF0, 5, 10}));

    // Releasing the button, or hiding the window, gives up learning.
    button.click();
    button.click();
    EXPECT_EQ(server.learnTarget(), nullptr);
    button.click();
    modulation().hide();
    EXPECT_EQ(server.learnTarget(), nullptr);
    EXPECT_FALSE(button.isChecked());
    send({0xB0, 80, 1});
    EXPECT_EQ(sourceOf(gen, frequency).getSource(), (VTMidiSource{0xF0, 5, 10}));
}

TEST_F(ModulationTest, ThePresetNumberFollowsProgramChangesOnItsChannel) {
    VTContraption& gen = add("TestGen");
    auto& tone = static_cast<VTTestSignalGenerator&>(gen.processor());
    tone.amplitude.setValue(0.25);
    gen.storePreset(3);
    tone.amplitude.setValue(0.5);
    gen.forgetCurrentPreset();
    dialogs().setupModulation(gen, VTMappedParameter::kPresetNumber);
    choose(modulation().panel().group(0), 3, 9, 0);  // program change, channel 10

    enableMidi();
    send({0xC9, 25});  // no slot 26
    EXPECT_EQ(tone.amplitude.value(), 0.5);
    send({0xC9, 3});  // "4" in the window's numbering
    EXPECT_EQ(tone.amplitude.value(), 0.25);
}

TEST_F(ModulationTest, ChoosingNoneRemovesTheMapping) {
    VTContraption& gen = add("TestGen");
    auto& tone = static_cast<VTTestSignalGenerator&>(gen.processor());
    const int amplitude = indexOf(gen, "Amplitude");
    dialogs().setupModulation(gen, amplitude);
    VTMidiSourceGroup& group = modulation().panel().group(0);
    choose(group, 1, 0, 7);
    const int key = VTMidiControlServer::controlKey(0xB0, 0, 7);
    EXPECT_EQ(server.clientCount(key), 1);

    group.typeList().setCurrentIndex(0);
    EXPECT_FALSE(sourceOf(gen, amplitude).hasSource());
    EXPECT_EQ(server.clientCount(key), 0);
    EXPECT_FALSE(group.channelList().isEnabled());
    enableMidi();
    send({0xB0, 7, 127});
    EXPECT_EQ(tone.amplitude.value(), 0.0);
}

TEST_F(ModulationTest, MappingsAreStoredWithThePatchAndReadBack) {
    VTContraption& gen = add("TestGen");
    dialogs().setupModulation(gen, indexOf(gen, "Amplitude"));
    choose(modulation().panel().group(0), 1, 1, 7);
    modulation().select(VTMappedParameter(gen, VTMappedParameter::kPresetNumber));
    choose(modulation().panel().group(0), 3, 9, 0);  // program change on channel 10
    modulation().closeButton().click();

    const std::string text = doc().WriteText();
    const std::string fresh = "-1 -1 0 { } 0 0 30 -1 ";
    // Preset controller (its text is not followed by a space), "Amplitude", "Frequency" (never
    // opened) and "Waveform" (no range).
    EXPECT_NE(text.find("\t" + fresh + "192 9 0 {  }" + fresh + "176 1 7 {  } . . "),
              std::string::npos)
        << text;

    saveAndReopen();
    VTContraption& again = *doc().ContraptionAt(0);
    const int amplitude = indexOf(again, "Amplitude");
    ASSERT_NE(again.controllers().existingController(amplitude), nullptr);
    EXPECT_EQ(sourceOf(again, amplitude).getSource(), (VTMidiSource{0xB0, 1, 7}));
    enableMidi();
    send({0xB1, 7, 127});
    EXPECT_NEAR(static_cast<VTTestSignalGenerator&>(again.processor()).amplitude.value(),
                16256.0 / 16383.0, 1e-9);

    // The window shows the patch that is open now.
    dialogs().setupModulation(again, amplitude);
    EXPECT_EQ(modulation().panel().group(0).shownSource(), (VTMidiSource{0xB0, 1, 7}));
}

TEST_F(ModulationTest, CloseMarksTheDocumentModifiedAndHelpOpensTheTopic) {
    add("TestGen");
    saveAndReopen();
    windows->ShowModulation();
    ASSERT_TRUE(modulation().isVisible());
    EXPECT_FALSE(doc().IsModified());
    modulation().helpButton().click();
    EXPECT_EQ(help.topics, std::vector<int>{TConfigAutomationForm::kHelpTopic});
    modulation().closeButton().click();
    EXPECT_FALSE(modulation().isVisible());
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(ModulationTest, AMappingChangedInTheWindowMarksTheDocumentModified) {
    add("TestGen");
    saveAndReopen();
    VTContraption& gen = *doc().ContraptionAt(0);
    dialogs().setupModulation(gen, indexOf(gen, "Amplitude"));
    EXPECT_FALSE(doc().IsModified());
    modulation().panel().group(0).typeList().setCurrentIndex(4);
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(ModulationTest, TheWindowLetsGoOfAContraptionThatWasDeleted) {
    VTContraption& gen = add("TestGen");
    add("Flanger");
    dialogs().setupModulation(gen, indexOf(gen, "Amplitude"));
    doc().DeleteContraption(&gen);
    form->RebuildPatcher();
    // An edit still on screen for the deleted contraption touches nothing.
    modulation().panel().group(0).typeList().setCurrentIndex(1);
    EXPECT_FALSE(modulation().panel().parameter());
    modulation().rebuildTree();
    EXPECT_EQ(modulation().tree().topLevelItemCount(), 1);
    EXPECT_FALSE(modulation().selectedParameter());
}

}  // namespace
}  // namespace vantrel::test
