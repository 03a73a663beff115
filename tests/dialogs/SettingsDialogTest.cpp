// The settings dialog over the real engine on simulated devices: what it shows, what Apply, OK,
// Cancel and the close box do to the engine, and the stored settings it leads to.
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "SettingsFixture.h"
#include "app/dialogs/settings/VTChannelNote.h"

namespace vantrel::test {
namespace {

using Devices = std::array<int, 8>;

TEST(ChannelNoteTest, MarksTheChannelPairsEachRowGetsAndThoseShared) {
    struct Case {
        Devices devices;
        int channels;
        std::vector<std::string> notes;  // rows 0, 1, ...
    };
    const Case cases[] = {
        {{0, 0, 0, 0, 0, 0, 0, 0}, 2, {""}},
        {{1, 0, 0, 0, 0, 0, 0, 0}, 2, {""}},
        {{1, 1, 0, 0, 0, 0, 0, 0}, 2, {"  (*)", "  (*)"}},
        {{2, 0, 0, 0, 0, 0, 0, 0}, 4, {"   (1:2)"}},
        {{2, 2, 0, 0, 0, 0, 0, 0}, 4, {"   (1:2)", "   (3:4)"}},
        {{2, 2, 2, 0, 0, 0, 0, 0}, 4, {"   (1:2*)", "   (3:4)", "   (1:2*)"}},
        {{2, 2, 2, 2, 0, 0, 0, 0}, 4, {"   (1:2*)", "   (3:4*)", "   (1:2*)", "   (3:4*)"}},
        {{2, 2, 2, 2, 0, 0, 0, 0}, 6, {"   (1:2*)", "   (3:4)", "   (5:6)", "   (1:2*)"}},
        // Rows on other devices do not count; a device with no channels has no pairs.
        {{2, 1, 2, 0, 0, 0, 0, 0}, 4, {"   (1:2)", "", "   (3:4)"}},
        {{3, 0, 0, 0, 0, 0, 0, 0}, 0, {""}},
    };
    for (const Case& c : cases) {
        for (int row = 0; row < static_cast<int>(c.notes.size()); ++row) {
            const int channels = c.devices[row] == 1 ? 2 : c.channels;
            EXPECT_EQ(VTChannelNote(c.devices, row, channels), c.notes[row])
                << "row " << row << " with " << c.channels << " channels";
        }
    }
}

TEST(DevicePageTest, LatencyLabelsTruncateTheBufferAndTotalDurations) {
    struct Case {
        int size, count;
        const char* buffer;
        const char* total;
    };
    const Case cases[] = {
        {16384, 4, "( 92 ms )", "( Total latency = 371 ms )"},
        {2048, 2, "( 11 ms )", "( Total latency = 23 ms )"},
        {65536, 8, "( 371 ms )", "( Total latency = 2972 ms )"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TDevicePage::BufferText(c.size).toStdString(), c.buffer);
        EXPECT_EQ(TDevicePage::LatencyText(c.size, c.count).toStdString(), c.total);
    }
}

TEST_F(SettingsTest, OpeningShowsTheEnginesCurrentSettings) {
    KDWaveStream& stream = engine->WaveStream();
    for (int i = 0; i < 8; ++i) {
        engine->SetOutDevice(i, 0);
        engine->SetInDevice(i, 0);
    }
    engine->SetOutDevice(0, kSpeakers);
    engine->SetOutDevice(1, kQuad);
    engine->SetOutDevice(7, kNullOut);
    engine->SetInDevice(2, kLineIn);
    stream.SetOutputBufferSize(16384);
    stream.SetOutputBufferCount(4);
    stream.SetInputBufferSize(32768);
    stream.SetInputBufferCount(7);
    stream.SetOverdrive(false);
    engine->MidiInputs().SetMidiDevices(-1, 1);
    sharedSoundFilePaths().setSearchPaths({"/srv/samples/", "/home/me/loops/"});

    TSettingsForm& d = Dialog();
    d.Pages().setCurrentIndex(3);
    d.FormShow();

    EXPECT_EQ(d.windowTitle().toStdString(), "Vantrel Settings");
    EXPECT_EQ(d.Pages().currentIndex(), 0) << "opens on \"Audio Output\"";
    ASSERT_EQ(d.Pages().count(), 4);
    EXPECT_EQ(d.Pages().tabText(0).toStdString(), "Audio Output");
    EXPECT_EQ(d.Pages().tabText(1).toStdString(), "Audio Input");
    EXPECT_EQ(d.Pages().tabText(2).toStdString(), "MIDI && Sync");
    EXPECT_EQ(d.Pages().tabText(3).toStdString(), "Directories");
    EXPECT_FALSE(d.ApplyButton().isEnabled());

    const TDeviceGrid& out = d.OutputPage().Grid();
    EXPECT_EQ(out.CellText(0, 0).toStdString(), " SoundOut");
    EXPECT_EQ(out.CellText(7, 0).toStdString(), " AuxOut7");
    EXPECT_EQ(out.CellText(0, 1).toStdString(), " Speakers");
    EXPECT_EQ(out.CellText(1, 1).toStdString(), " Quad   (1:2)");
    EXPECT_EQ(out.CellText(2, 1).toStdString(), " (None)");
    EXPECT_EQ(out.CellText(7, 1).toStdString(), " Null Output");
    const TDeviceGrid& in = d.InputPage().Grid();
    EXPECT_EQ(in.CellText(0, 0).toStdString(), " SoundIn");
    EXPECT_EQ(in.CellText(3, 0).toStdString(), " AuxIn3");
    EXPECT_EQ(in.CellText(2, 1).toStdString(), " Line In");

    // The floating lists hold every device of the direction, "(None)" first.
    QStringList outNames, inNames;
    for (int i = 0; i < out.DeviceList().count(); ++i) outNames << out.DeviceList().itemText(i);
    for (int i = 0; i < in.DeviceList().count(); ++i) inNames << in.DeviceList().itemText(i);
    EXPECT_EQ(outNames, (QStringList{"(None)", "Speakers", "Quad", "Broken", "Null Output"}));
    EXPECT_EQ(inNames, (QStringList{"(None)", "Microphone", "Line In", "Null Input"}));

    EXPECT_EQ(d.OutputPage().SizeList().currentText().toStdString(), "16384");
    EXPECT_EQ(d.OutputPage().CountList().currentText().toStdString(), "4");
    EXPECT_EQ(d.OutputPage().BufferLabel().text().toStdString(), "( 92 ms )");
    EXPECT_EQ(d.OutputPage().LatencyLabel().text().toStdString(), "( Total latency = 371 ms )");
    EXPECT_EQ(d.InputPage().SizeList().currentText().toStdString(), "32768");
    EXPECT_EQ(d.InputPage().CountList().currentText().toStdString(), "7");
    EXPECT_EQ(d.InputPage().OverdriveBox(), nullptr) << "input has no Overdrive";
    EXPECT_FALSE(d.OutputPage().OverdriveBox()->isChecked());

    EXPECT_EQ(d.ControllersList().currentText().toStdString(), "(None)");
    EXPECT_EQ(d.SyncList().currentText().toStdString(), "Clock Box");
    EXPECT_EQ(d.ControllersList().count(), 3);

    ASSERT_EQ(d.DirectoryList().count(), 2);
    EXPECT_EQ(d.DirectoryList().item(1)->text().toStdString(), "/home/me/loops/");
    EXPECT_TRUE(d.DirectoryNote().isReadOnly());
    EXPECT_EQ(d.DirectoryNote().toPlainText().toStdString(),
              "Soundfiles referenced within Vantrel documents are stored in "
              "relative form if they are contained within directories or sub-directories "
              "of either: the directory the Vantrel document is contained in, the "
              "directories listed above, or the Vantrel application directory. "
              "Files are also searched for in that order.");
}

TEST_F(SettingsTest, ABufferSizeNoEntryMatchesSelectsNoneAndIsKeptByApply) {
    engine->WaveStream().SetOutputBufferSize(5000);
    engine->WaveStream().SetInputBufferSize(6000);
    TSettingsForm& d = Dialog();
    d.FormShow();
    EXPECT_EQ(d.OutputPage().SizeList().currentIndex(), -1);
    EXPECT_EQ(d.OutputPage().BufferLabel().text().toStdString(), "( 28 ms )");
    SelectText(d.OutputPage().CountList(), "3");
    d.ApplyButton().click();
    EXPECT_EQ(engine->WaveStream().OutputBufferSize(), 5000);
    EXPECT_EQ(engine->WaveStream().InputBufferSize(), 6000);
    EXPECT_EQ(engine->WaveStream().OutputBufferCount(), 3);
    EXPECT_TRUE(box.messages.empty());
}

TEST_F(SettingsTest, NothingReachesTheEngineUntilApplyThenEverythingDoes) {
    engine->MidiInputs().SetMidiDevices(0, -1);
    TSettingsForm& d = Dialog();
    d.FormShow();
    Choose(d.OutputPage(), 0, kQuad);
    Choose(d.OutputPage(), 3, kQuad);
    Choose(d.InputPage(), 5, kMicrophone);
    SelectText(d.OutputPage().SizeList(), "8192");
    SelectText(d.OutputPage().CountList(), "3");
    SelectText(d.InputPage().SizeList(), "65536");
    SelectText(d.InputPage().CountList(), "8");
    d.OutputPage().OverdriveBox()->setChecked(!engine->WaveStream().Overdrive());
    SelectText(d.ControllersList(), "Clock Box");
    SelectText(d.SyncList(), "Keys");

    EXPECT_EQ(d.OutputPage().Grid().CellText(0, 1).toStdString(), " Quad   (1:2)");
    EXPECT_EQ(d.OutputPage().Grid().CellText(3, 1).toStdString(), " Quad   (3:4)");
    EXPECT_EQ(d.OutputPage().LatencyLabel().text().toStdString(), "( Total latency = 139 ms )");
    EXPECT_NE(engine->OutDevice(0), kQuad);
    EXPECT_EQ(engine->MidiInputs().ControllersDevice(), 0);
    const bool overdrive = d.OutputPage().OverdriveBox()->isChecked();

    d.ApplyButton().click();
    EXPECT_FALSE(d.ApplyButton().isEnabled());
    KDWaveStream& stream = engine->WaveStream();
    EXPECT_EQ(engine->OutDevice(0), kQuad);
    EXPECT_EQ(engine->OutDevice(3), kQuad);
    EXPECT_EQ(engine->InDevice(5), kMicrophone);
    EXPECT_EQ(stream.OutputBufferSize(), 8192);
    EXPECT_EQ(stream.OutputBufferCount(), 3);
    EXPECT_EQ(stream.InputBufferSize(), 65536);
    EXPECT_EQ(stream.InputBufferCount(), 8);
    EXPECT_EQ(stream.Overdrive(), overdrive);
    EXPECT_EQ(engine->MidiInputs().ControllersDevice(), 1);
    EXPECT_EQ(engine->MidiInputs().SyncInDevice(), 0);
    EXPECT_TRUE(box.messages.empty());
}

TEST_F(SettingsTest, EveryChangeEnablesApplyAndOpeningDisablesIt) {
    TSettingsForm& d = Dialog();
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"output device", [&] { Choose(d.OutputPage(), 2, kSpeakers); }},
        {"input device", [&] { Choose(d.InputPage(), 1, kLineIn); }},
        {"output size", [&] { SelectText(d.OutputPage().SizeList(), "2048"); }},
        {"output count", [&] { SelectText(d.OutputPage().CountList(), "2"); }},
        {"input size", [&] { SelectText(d.InputPage().SizeList(), "65536"); }},
        {"input count", [&] { SelectText(d.InputPage().CountList(), "8"); }},
        {"overdrive", [&] { d.OutputPage().OverdriveBox()->toggle(); }},
        {"controllers", [&] { d.ControllersList().setCurrentIndex(0); }},
        {"sync", [&] { d.SyncList().setCurrentIndex(2); }},
        {"remove", [&] {
             d.DirectoryList().setCurrentRow(0);
             d.RemoveButton().click();
         }},
        {"move down", [&] {
             d.DirectoryList().setCurrentRow(0);
             d.DownButton().click();
         }},
    };
    for (const auto& [name, change] : changes) {
        sharedSoundFilePaths().setSearchPaths({"/a/", "/b/"});
        d.FormShow();
        ASSERT_FALSE(d.ApplyButton().isEnabled()) << name;
        change();
        EXPECT_TRUE(d.ApplyButton().isEnabled()) << name;
    }
    // Choosing what a row already has, or removing with nothing selected, is no change.
    d.FormShow();
    Choose(d.OutputPage(), 0, engine->OutDevice(0));
    d.DirectoryList().clearSelection();
    d.DirectoryList().setCurrentRow(-1);
    d.RemoveButton().click();
    EXPECT_FALSE(d.ApplyButton().isEnabled());
    EXPECT_EQ(d.DirectoryList().count(), 2);
}

TEST_F(SettingsTest, AnInputBufferSmallerThanTheOutputIsRaisedWithAWarning) {
    TSettingsForm& d = Dialog();
    d.FormShow();
    SelectText(d.OutputPage().SizeList(), "16384");
    SelectText(d.InputPage().SizeList(), "4096");
    SelectText(d.ControllersList(), "Clock Box");
    d.ApplyButton().click();

    ASSERT_EQ(box.messages.size(), 1u);
    EXPECT_EQ(box.messages[0].caption, "Invalid Audio Input Buffer Size");
    EXPECT_EQ(box.messages[0].text,
              "You have selected an invalid Audio Input buffer size.\n"
              "The Audio Input buffer size must be greater than or equal to the Audio Output "
              "buffer size.\n"
              "The Audio Input buffer size has been reset to the Audio Output buffer size.");
    EXPECT_EQ(box.messages[0].icon, VTMessageIcon::Warning);
    EXPECT_EQ(d.InputPage().SizeList().currentText().toStdString(), "16384");
    EXPECT_EQ(engine->WaveStream().InputBufferSize(), 16384);
    EXPECT_EQ(engine->WaveStream().OutputBufferSize(), 16384);
    EXPECT_EQ(engine->MidiInputs().ControllersDevice(), 1) << "the rest of Apply goes on";
}

TEST_F(SettingsTest, OkAppliesAndClosesCancelAndTheCloseBoxChangeNothing) {
    const int before = engine->OutDevice(4);
    const int countBefore = engine->WaveStream().OutputBufferCount();
    WhileOpen([&](TSettingsForm& d) {
        Choose(d.OutputPage(), 4, kQuad);
        SelectText(d.OutputPage().CountList(), "6");
        d.CancelButton().click();
        EXPECT_FALSE(d.isVisible());
    });
    WhileOpen([&](TSettingsForm& d) {
        EXPECT_EQ(d.OutputPage().Grid().GetChoices()[4], before) << "the copy was dropped";
        Choose(d.OutputPage(), 4, kQuad);
        d.close();
    });
    EXPECT_EQ(engine->OutDevice(4), before);
    EXPECT_EQ(engine->WaveStream().OutputBufferCount(), countBefore);

    WhileOpen([&](TSettingsForm& d) {
        Choose(d.OutputPage(), 4, kQuad);
        SelectText(d.OutputPage().CountList(), "6");
        d.OkButton().click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(engine->OutDevice(4), kQuad);
    EXPECT_EQ(engine->WaveStream().OutputBufferCount(), 6);

    // OK with nothing changed writes nothing: a value set elsewhere meanwhile survives.
    WhileOpen([&](TSettingsForm& d) {
        engine->SetOutDevice(4, kSpeakers);
        d.OkButton().click();
    });
    EXPECT_EQ(engine->OutDevice(4), kSpeakers);
    EXPECT_TRUE(box.messages.empty());
}

TEST_F(SettingsTest, ApplyWhileAudioRunsRestartsItOnTheNewDevices) {
    ASSERT_NE(AddFromMenu("SoundOut"), nullptr);
    engine->SetOutDevice(0, kSpeakers);
    ASSERT_TRUE(engine->StartAudio());
    TSettingsForm& d = Dialog();
    d.FormShow();
    Choose(d.OutputPage(), 0, kQuad);
    SelectText(d.OutputPage().SizeList(), "4096");
    d.ApplyButton().click();

    EXPECT_TRUE(engine->IsAudioRunning());
    const int slot = engine->OutputMapping().slot[0];
    ASSERT_GE(slot, 0);
    EXPECT_EQ(engine->WaveStream().OutputDevices(slot), kQuad);
    EXPECT_EQ(engine->WaveStream().OutputBufferSize(), 4096);
    EXPECT_TRUE(box.messages.empty());
    engine->StopAudio();
}

TEST_F(SettingsTest, ADeviceThatWillNotStartSaysWhyAndTheRestIsStillApplied) {
    ASSERT_NE(AddFromMenu("SoundOut"), nullptr);
    engine->SetOutDevice(0, kSpeakers);
    ASSERT_TRUE(engine->StartAudio());
    WhileOpen([&](TSettingsForm& d) {
        Choose(d.OutputPage(), 0, kBroken);
        SelectText(d.SyncList(), "(None)");
        sharedSoundFilePaths().setSearchPaths({});
        AddDirectory(d, QDir::tempPath(), true);
        d.OkButton().click();
    });
    EXPECT_FALSE(engine->IsAudioRunning());
    EXPECT_FALSE(form->MenuAction("Enable &Audio")->isChecked());
    ASSERT_EQ(box.messages.size(), 1u);
    EXPECT_NE(box.messages[0].text.find("device unplugged"), std::string::npos)
        << box.messages[0].text;
    EXPECT_EQ(box.messages[0].icon, VTMessageIcon::Stop);
    EXPECT_EQ(engine->OutDevice(0), kBroken);
    EXPECT_EQ(engine->MidiInputs().SyncInDevice(), -1);
    EXPECT_EQ(sharedSoundFilePaths().searchPaths().size(), 1u);
}

TEST_F(SettingsTest, SearchDirectoriesAreEditedAndKept) {
    QTemporaryDir samples, loops;
    const QString a = QDir::cleanPath(samples.path());
    const QString b = QDir::cleanPath(loops.path());
    sharedSoundFilePaths().setSearchPaths({"/old/"});
    TSettingsForm& d = Dialog();
    d.FormShow();
    AddDirectory(d, a, true);
    AddDirectory(d, b, false);
    EXPECT_EQ(d.DirectoryChooser().windowTitle().toStdString(), "Select A Directory...");
    AddDirectory(d, b, true);
    ASSERT_EQ(d.DirectoryList().count(), 3);
    EXPECT_EQ(d.DirectoryList().item(1)->text(), a + "/") << "a directory ends in a separator";
    EXPECT_EQ(sharedSoundFilePaths().searchPaths(), std::vector<std::string>{"/old/"});

    d.DirectoryList().setCurrentRow(2);
    d.UpButton().click();  // b before a
    d.DirectoryList().setCurrentRow(0);
    d.RemoveButton().click();
    d.ApplyButton().click();
    const std::vector<std::string> expected{(b + "/").toStdString(), (a + "/").toStdString()};
    EXPECT_EQ(sharedSoundFilePaths().searchPaths(), expected);

    d.FormShow();
    ASSERT_EQ(d.DirectoryList().count(), 2);
    EXPECT_EQ(d.DirectoryList().item(0)->text(), b + "/");
}

TEST_F(SettingsTest, TheDirectoryChooserWalksTheTreeAndListsVolumes) {
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("inner/deeper"));
    TDirectorySelectionForm chooser;
    EXPECT_GE(chooser.DriveList().count(), 1);
    EXPECT_EQ(chooser.DriveList().itemText(0).toStdString(), "/");
    chooser.SetPath(root.path());
    ASSERT_EQ(chooser.DirectoryList().count(), 2);
    EXPECT_EQ(chooser.DirectoryList().item(0)->text().toStdString(), "..");
    Q_EMIT chooser.DirectoryList().itemActivated(chooser.DirectoryList().item(1));
    EXPECT_EQ(chooser.Path(), QDir::cleanPath(root.path() + "/inner"));
    EXPECT_EQ(chooser.PathLabel().text(), chooser.Path());
    Q_EMIT chooser.DirectoryList().itemActivated(chooser.DirectoryList().item(0));
    EXPECT_EQ(chooser.Path(), QDir::cleanPath(root.path()));
    chooser.SetPath(root.path() + "/no such directory");
    EXPECT_EQ(chooser.Path(), QDir::cleanPath(root.path())) << "a missing directory is refused";
}

TEST_F(SettingsTest, AppliedSettingsAreStoredAtTheEndAndReadByTheNextEngine) {
    TSettingsForm& d = Dialog();
    d.FormShow();
    Choose(d.OutputPage(), 2, kQuad);
    Choose(d.InputPage(), 6, kNullIn);
    SelectText(d.OutputPage().SizeList(), "4096");
    SelectText(d.OutputPage().CountList(), "6");
    SelectText(d.InputPage().SizeList(), "8192");
    SelectText(d.InputPage().CountList(), "2");
    d.OutputPage().OverdriveBox()->setChecked(false);
    SelectText(d.ControllersList(), "Clock Box");
    SelectText(d.SyncList(), "(None)");
    d.ApplyButton().click();

    RestartEngineOnly();
    EXPECT_EQ(engine->OutDevice(2), kQuad);
    EXPECT_EQ(engine->InDevice(6), kNullIn);
    EXPECT_EQ(engine->WaveStream().OutputBufferSize(), 4096);
    EXPECT_EQ(engine->WaveStream().OutputBufferCount(), 6);
    EXPECT_EQ(engine->WaveStream().InputBufferSize(), 8192);
    EXPECT_EQ(engine->WaveStream().InputBufferCount(), 2);
    EXPECT_FALSE(engine->WaveStream().Overdrive());
    EXPECT_EQ(engine->MidiInputs().ControllersDevice(), 1);
    EXPECT_EQ(engine->MidiInputs().SyncInDevice(), -1);

    // The new engine's values are what the dialog shows next.
    TSettingsForm& again = Dialog();
    again.FormShow();
    EXPECT_EQ(again.OutputPage().CountList().currentText().toStdString(), "6");
    EXPECT_EQ(again.InputPage().SizeList().currentText().toStdString(), "8192");
    EXPECT_EQ(again.ControllersList().currentText().toStdString(), "Clock Box");
}

TEST_F(SettingsTest, StoredBufferCountsOutsideTwoToEightBecomeFour) {
    for (const auto& [stored, expected] : {std::pair{6, 6}, {12, 4}, {1, 4}}) {
        RestartEngineOnly(
            [&] { engineSettings.writeInteger("WaveStream", "OutputBufferCount", stored); });
        EXPECT_EQ(engine->WaveStream().OutputBufferCount(), expected) << stored;
        TSettingsForm d(*engine);
        d.FormShow();
        EXPECT_EQ(d.OutputPage().CountList().currentText().toInt(), expected) << stored;
    }
}

TEST_F(SettingsTest, TheControlMenuFollowsTheChosenMidiDevices) {
    QAction* controllers = form->MenuAction("Enable &MIDI Controllers");
    QAction* chase = form->MenuAction("&Chase Sync");
    ASSERT_NE(controllers, nullptr);
    ASSERT_NE(chase, nullptr);
    WhileOpen([&](TSettingsForm& d) {
        SelectText(d.ControllersList(), "(None)");
        SelectText(d.SyncList(), "(None)");
        d.OkButton().click();
    });
    EXPECT_FALSE(controllers->isEnabled());
    EXPECT_FALSE(chase->isEnabled());

    WhileOpen([&](TSettingsForm& d) {
        SelectText(d.ControllersList(), "Keys");
        d.OkButton().click();
    });
    EXPECT_TRUE(controllers->isEnabled());
    EXPECT_FALSE(chase->isEnabled());

    WhileOpen([&](TSettingsForm& d) {
        SelectText(d.SyncList(), "Clock Box");
        d.OkButton().click();
    });
    EXPECT_TRUE(chase->isEnabled());
}

TEST_F(SettingsTest, OpenMidiInputsReopenOnTheNewDevice) {
    engine->MidiInputs().SetMidiDevices(0, -1);
    engine->MidiInputs().EnableMidiControllers();
    ASSERT_EQ(midi.openPorts("Keys"), 1);
    TSettingsForm& d = Dialog();
    d.FormShow();
    SelectText(d.ControllersList(), "Clock Box");
    d.ApplyButton().click();
    EXPECT_EQ(midi.openPorts("Keys"), 0);
    EXPECT_EQ(midi.openPorts("Clock Box"), 1);
    EXPECT_TRUE(engine->MidiInputs().MidiControllersEnabled());
    engine->MidiInputs().DisableMidiControllers();
}

TEST_F(SettingsTest, OpeningListsMidiDevicesPluggedInSinceTheStartKeepingTheChoices) {
    engine->MidiInputs().SetMidiDevices(1, -1);  // controllers from "Clock Box", no sync input
    midi.addDevice("Pads");
    TSettingsForm& d = Dialog();
    d.FormShow();
    ASSERT_EQ(d.ControllersList().count(), 4);  // "(None)" and three devices
    EXPECT_EQ(d.ControllersList().itemText(3).toStdString(), "Pads");
    EXPECT_EQ(d.ControllersList().currentText().toStdString(), "Clock Box");
    EXPECT_EQ(d.SyncList().currentIndex(), 0);
    EXPECT_FALSE(d.ApplyButton().isEnabled());
}

TEST_F(SettingsTest, HelpOpensTheSettingsTopic) {
    RecordingHelpViewer viewer;
    TSettingsForm& d = Dialog();
    d.FormShow();
    EXPECT_EQ(d.HelpButton().text().toStdString(), "&Help");
    d.HelpButton().click();
    EXPECT_EQ(viewer.topics, std::vector<int>{TSettingsForm::kHelpTopic});
    EXPECT_FALSE(d.ApplyButton().isEnabled());
}

}  // namespace
}  // namespace vantrel::test
