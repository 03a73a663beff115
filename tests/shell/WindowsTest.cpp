#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "ShellFixture.h"
#include "app/shell/VTAboutBox.h"
#include "app/shell/VTHelpTopics.h"
#include "app/shell/VTSplashWindow.h"
#include "app/shell/VTWelcomeWindow.h"
#include "platform/VTMemorySettingsStore.h"
#include "platform/VTSettingsKeys.h"

namespace {

using vantrel::test::answerNextDialog;
using vantrel::test::RecordingHelpViewer;

TEST(WelcomeWindow, TextsButtonsAndCheckBox) {
    VTWelcomeWindow w;
    EXPECT_EQ(w.windowTitle(), "Welcome to Vantrel");
    EXPECT_EQ(w.yesButton()->text(), "&Yes");
    EXPECT_EQ(w.noButton()->text(), "&No");
    EXPECT_EQ(w.dontDisplayBox()->text(), "Don't display this message in the future");
    EXPECT_FALSE(w.dontDisplayBox()->isChecked());
}

TEST(WelcomeWindow, AnswersAndTheMarkerThatStopsTheOffer) {
    struct Case {
        const char* name;
        bool yes;
        bool tick;
    };
    for (const Case c : {Case{"yes", true, false}, Case{"no", false, false},
                         Case{"yes, never again", true, true}, Case{"no, never again", false, true}}) {
        SCOPED_TRACE(c.name);
        VTMemorySettingsStore store;
        RecordingHelpViewer help;
        answerNextDialog([c](QDialog& d) {
            auto& w = static_cast<VTWelcomeWindow&>(d);
            w.dontDisplayBox()->setChecked(c.tick);
            (c.yes ? w.yesButton() : w.noButton())->click();
        });
        EXPECT_TRUE(VTWelcomeWindow::offer(store));
        EXPECT_EQ(store.keyExists(VTSettingsKeys::DontRequestInitialHelp), c.tick);
        EXPECT_EQ(help.topics, c.yes ? std::vector<int>{2000} : std::vector<int>{});
    }
}

TEST(WelcomeWindow, NotOfferedOnceTheUserAskedSo) {
    VTMemorySettingsStore store;
    store.createKey(VTSettingsKeys::DontRequestInitialHelp);
    RecordingHelpViewer help;
    EXPECT_FALSE(VTWelcomeWindow::offer(store));
    EXPECT_TRUE(help.topics.empty());
}

TEST(SplashWindow, ShowsTheVersionAndFinishesOnceAfterItsTime) {
    VTSplashWindow splash;
    auto* version = splash.findChild<QLabel*>("version");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), "Version 0.8b1");
    QSignalSpy finished(&splash, &VTSplashWindow::finished);
    splash.start(30);
    EXPECT_TRUE(splash.isVisible());
    EXPECT_TRUE(splash.isTiming());
    EXPECT_TRUE(finished.wait(2000));
    QTest::qWait(60);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(VTSplashWindow::kShowMs, 2000);
}

TEST(AboutBox, NamesTheProgramAndItsVersion) {
    VTAboutBox about;
    EXPECT_EQ(about.windowTitle(), "About Vantrel");
    auto* version = about.findChild<QLabel*>("version");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), "Version 0.8b1");
    answerNextDialog([](QDialog& d) { d.accept(); });
    EXPECT_EQ(about.exec(), QDialog::Accepted);
}

}  // namespace
