#include <gtest/gtest.h>

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <memory>

#include "ShellFixture.h"
#include "app/shell/VTAboutBox.h"
#include "app/gui/TMainForm.h"
#include "app/shell/VTMainFormWindow.h"
#include "app/shell/VTHelpWindow.h"
#include "app/shell/VTSplashWindow.h"
#include "app/shell/VTStartup.h"
#include "app/shell/VTStartupMainWindow.h"
#include "audio/TRealTimeEngine.h"
#include "contraptions/VTContraption.h"
#include "document/KDMessageDocumentDialogs.h"
#include "document/VTDocument.h"
#include "library/generators/VTTestSignalGenerator.h"
#include "platform/VTMemorySettingsStore.h"
#include "platform/VTSettingsKeys.h"
#include "platform/audio/KDAudioSystem.h"
#include "platform/audio/KDNullBackend.h"
#include "platform/audio/KDSimulatedAudio.h"
#include "platform/midi/KDSimulatedMidiDriver.h"
#include "support/RecordingMessageBox.h"
#include "wave/SharedSoundFilePaths.h"

namespace {

using vantrel::test::RecordingHelpViewer;
using vantrel::test::TempFolder;

int makerIndex(const VTDocument& doc, const std::string& name) {
    for (int i = 0; i < doc.MakerCount(); ++i)
        if (doc.GetMakerInfo(i)->name == name) return i;
    return -1;
}

// A test tone wired to the main output, saved as a document.
std::string writeTonePatch(const TempFolder& folder) {
    const std::string path = (folder.path() / "tone.vtx").string();
    auto doc = VTDocument::Create(std::make_unique<VTDocAppData>(),
                                  std::make_unique<KDMessageDocumentDialogs>());
    VTContraption* tone = doc->AddContraption(makerIndex(*doc, "TestGen"));
    VTContraption* out = doc->AddContraption(makerIndex(*doc, "SoundOut"));
    EXPECT_TRUE(tone && out);
    if (tone) static_cast<VTTestSignalGenerator&>(tone->processor()).amplitude.setValue(0.5);
    EXPECT_TRUE(doc->Connect(tone, 0, out, 0));
    EXPECT_TRUE(doc->Connect(tone, 0, out, 1));
    EXPECT_TRUE(doc->WriteFile(path));
    return path;
}

// Start-ups on the given devices, with the main window, no splash and no welcome.
class Startup : public ::testing::Test {
protected:
    Startup() {
        audio.AddBackend(std::make_unique<KDNullBackend>());
    }

    VTStartup::Options options(std::vector<std::string> args) {
        VTStartup::Options o;
        o.arguments = std::move(args);
        o.arguments.insert(o.arguments.begin(), "vantrel");
        o.settings = &settings;
        o.audio = &audio;
        o.midi = &midi;
        o.helpDirectory = VANTREL_HELP_DIR;
        o.programFile = "/opt/vantrel/bin/vantrel";
        o.dataHome = (folder.path() / "data").string();
        o.splashMs = -1;
        o.offerWelcome = false;
        return o;
    }

    static VTStartup::MainWindowMaker mainForm() { return VTMainFormWindow::maker(); }

    static TMainForm& form(VTStartup& s) {
        return static_cast<VTMainFormWindow&>(*s.mainWindow()).form();
    }
    static VTDocument& document(VTStartup& s) { return *form(s).Document(); }

    // The test tone reaches the output meters once audio really runs.
    static bool soundsWithin(TRealTimeEngine& engine, std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            QTest::qWait(20);
            if (engine.OutputMeter(0, 0) > 0.01f) return true;
        }
        return false;
    }

    TempFolder folder;
    VTMemorySettingsStore settings;
    KDAudioSystem audio;
    KDSimulatedMidiDriver midi{{}};
    vantrel::test::RecordingMessageBox box;
};

TEST_F(Startup, DocumentWithStartDacsOpensAndPlaysOnTheNullOutput) {
    const std::string patch = writeTonePatch(folder);
    VTStartup startup(options({"/startdacs", patch}));
    startup.start(mainForm());
    VTDocument& doc = document(startup);
    ASSERT_TRUE(doc.GetPath().has_value());
    EXPECT_EQ(*doc.GetPath(), std::filesystem::canonical(patch).string());
    EXPECT_EQ(doc.ContraptionCount(), 2);
    EXPECT_TRUE(startup.engine().IsAudioRunning());
    EXPECT_FALSE(doc.IsPlaying()) << "the clock runs only with /startclock";
    EXPECT_EQ(startup.engine().WaveStream().OutputDeviceNames()[startup.engine().OutDevice(0)],
              "Null Output");
    EXPECT_TRUE(soundsWithin(startup.engine(), std::chrono::seconds(3)));
    EXPECT_TRUE(startup.mainWindow()->window().isVisible());
    EXPECT_TRUE(box.messages.empty());
    startup.shutDown();
}

TEST_F(Startup, SwitchesDoNothingWithoutDacsOrWithoutADocument) {
    const std::string patch = writeTonePatch(folder);
    {
        VTStartup startup(options({patch, "/STARTCLOCK"}));
        startup.start(mainForm());
        EXPECT_EQ(document(startup).ContraptionCount(), 2);
        EXPECT_FALSE(startup.engine().IsAudioRunning());
        EXPECT_FALSE(document(startup).IsPlaying());
    }
    {
        VTStartup startup(options({"/startdacs", "/startclock"}));
        startup.start(mainForm());
        EXPECT_FALSE(document(startup).GetPath().has_value());
        EXPECT_FALSE(startup.engine().IsAudioRunning());
    }
    {
        VTStartup startup(options({"/startdacs", "/startclock", patch}));
        startup.start(mainForm());
        EXPECT_TRUE(startup.engine().IsAudioRunning());
        EXPECT_TRUE(document(startup).IsPlaying());
    }
    EXPECT_TRUE(box.messages.empty());
}

TEST_F(Startup, BadArgumentIsReportedBeforeTheWindowAndStopsTheReading) {
    const std::string patch = writeTonePatch(folder);
    VTStartup startup(options({"/STARTDACS", "--bogus", patch}));
    startup.start(mainForm());
    ASSERT_EQ(box.messages.size(), 1u);
    EXPECT_EQ(box.messages[0].text, "Bad command line parameter number 2: \"--bogus\"");
    EXPECT_EQ(box.messages[0].caption, "Vantrel Command Line Error");
    EXPECT_FALSE(document(startup).GetPath().has_value());
    EXPECT_FALSE(startup.engine().IsAudioRunning());
}

TEST_F(Startup, AnOutputThatCannotOpenGivesWayToTheNullOutputForThisRunOnly) {
    KDSimulatedAudio sim;
    sim.AddDevice(KDAudioDirection::Output, {"Busy card", 2, true, 0xFFFFFFFFu, 4, "device busy"});
    KDAudioSystem withCard(sim);
    withCard.AddBackend(sim);
    withCard.AddBackend(std::make_unique<KDNullBackend>());
    const std::string patch = writeTonePatch(folder);
    auto o = options({"/startdacs", patch});
    o.audio = &withCard;
    {
        VTStartup startup(std::move(o));
        startup.start(mainForm());
        EXPECT_TRUE(startup.playsOnNullOutput());
        EXPECT_TRUE(startup.engine().IsAudioRunning());
        EXPECT_TRUE(soundsWithin(startup.engine(), std::chrono::seconds(3)));
        EXPECT_TRUE(box.messages.empty());
    }
    // The user's choice, the card, is what the engine stored.
    EXPECT_EQ(settings.readInteger(VTSettingsKeys::WaveStream, "OutDevice0"), 1);
}

TEST_F(Startup, ServicesComeUpAndShutDownStoresWhatTheNextStartReads) {
    sharedSoundFilePaths().setSearchPaths({});
    VTStartup startup(options({}));
    startup.start(mainForm());
    // The help window is the program's viewer, with its pages.
    EXPECT_EQ(VTHelpViewer::current(), &startup.help());
    VTHelpViewer::show(2000);
    EXPECT_EQ(startup.help().currentPage(), "2000.html");
    // First start: maximised.
    EXPECT_TRUE(startup.mainWindow()->window().windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "data" / "applications"))
        << "the document type is registered below the data folder";
    ASSERT_NE(startup.about(), nullptr);

    sharedSoundFilePaths().setSearchPaths({"/srv/samples/"});
    startup.mainWindow()->window().showNormal();
    startup.mainWindow()->window().setGeometry(30, 40, 700, 500);
    startup.shutDown();
    EXPECT_EQ(VTHelpViewer::current(), nullptr);
    EXPECT_TRUE(settings.keyExists(VTSettingsKeys::MainWindow));
    EXPECT_EQ(settings.readInteger(VTSettingsKeys::MainWindow, "Width"), 700);
    EXPECT_EQ(settings.readBool(VTSettingsKeys::MainWindow, "Maximized"), false);
    EXPECT_TRUE(settings.keyExists(VTSettingsKeys::SFPaths));
    EXPECT_TRUE(settings.keyExists(VTSettingsKeys::WaveStream)) << "the engine stored its settings";

    sharedSoundFilePaths().setSearchPaths({});
    VTStartup again(options({}));
    again.start(mainForm());
    EXPECT_EQ(sharedSoundFilePaths().searchPaths(), std::vector<std::string>{"/srv/samples/"});
    EXPECT_FALSE(again.mainWindow()->window().windowState() & Qt::WindowMaximized);
    EXPECT_EQ(again.mainWindow()->window().geometry().width(), 700);
    again.shutDown();
    sharedSoundFilePaths().setSearchPaths({});
}

TEST_F(Startup, ARegistrationThatCannotBeWrittenIsSilent) {
    auto o = options({});
    o.dataHome = "/proc/no-such-data-folder";
    VTStartup startup(std::move(o));
    startup.start(mainForm());
    EXPECT_TRUE(startup.mainWindow()->window().isVisible());
    EXPECT_TRUE(box.messages.empty());
}

TEST_F(Startup, SplashLastsItsTimeThenTheWelcomeIsOfferedOnce) {
    auto o = options({});
    o.splashMs = 50;
    o.offerWelcome = true;
    RecordingHelpViewer* help = nullptr;
    VTStartup startup(std::move(o));
    startup.start(mainForm());
    ASSERT_NE(startup.splash(), nullptr);
    EXPECT_TRUE(startup.splash()->isVisible());
    // The start-up installed its help window; a recorder over it sees what Yes opens.
    help = new RecordingHelpViewer;
    bool offered = false;
    vantrel::test::answerNextDialog([&](QDialog& d) {
        offered = true;
        EXPECT_EQ(d.windowTitle(), "Welcome to Vantrel");
        d.accept();
    });
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!offered && std::chrono::steady_clock::now() < end) QTest::qWait(10);
    EXPECT_TRUE(offered);
    EXPECT_EQ(startup.splash(), nullptr);
    EXPECT_EQ(help->topics, std::vector<int>{2000});
    delete help;
}

TEST_F(Startup, TheAboutCommandShowsTheAboutBox) {
    VTStartup startup(options({}));
    startup.start(mainForm());
    bool shown = false;
    vantrel::test::answerNextDialog([&](QDialog& d) {
        shown = d.windowTitle() == "About Vantrel";
        d.accept();
    });
    QAction* about = form(startup).MenuAction("&About Vantrel");
    ASSERT_NE(about, nullptr);
    about->trigger();
    EXPECT_TRUE(shown);
}

}  // namespace
