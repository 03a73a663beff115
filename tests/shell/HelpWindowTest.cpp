#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>
#include <filesystem>
#include <set>

#include "ShellFixture.h"
#include "app/shell/VTHelpTopics.h"
#include "app/shell/VTHelpWindow.h"
#include "contraptions/VTContraptionFactory.h"
#include "contraptions/VTContraptionMaker.h"

namespace {

const std::string kHelp = VANTREL_HELP_DIR;

TEST(HelpPages, EveryTopicTheProgramCanOpenHasAPageBesideTheProgram) {
    const auto topics = VTHelpTopics::openableTopics();
    // Every kind of the maker table has its topic among them.
    const VTContraptionFactory& factory = VTContraptionFactory::instance();
    ASSERT_GT(factory.makerCount(), 0);
    std::set<int> all(topics.begin(), topics.end());
    for (int i = 0; i < factory.makerCount(); ++i) {
        const int topic = factory.maker(i).helpContext();
        if (topic != 0) {
            EXPECT_TRUE(all.count(topic)) << factory.maker(i).name();
        }
    }
    for (int t : {VTHelpTopics::kContents, VTHelpTopics::kIntroduction, VTHelpTopics::kExport})
        EXPECT_TRUE(all.count(t)) << t;
    // The plug-in host's topic is opened by plug-in kinds that only exist on some machines.
    all.insert(1025);

    VTHelpWindow window(kHelp);
    for (int topic : all) {
        SCOPED_TRACE(topic);
        const std::string page = VTHelpTopics::pageFileName(topic);
        EXPECT_TRUE(std::filesystem::is_regular_file(kHelp + "/" + page));
        window.showTopic(topic);
        EXPECT_EQ(window.currentPage().toStdString(), page);
        EXPECT_FALSE(window.browser()->toPlainText().contains("Help not found"));
    }
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Vantrel Help");
}

TEST(HelpPages, EveryLinkOfEveryPageLeadsToAPage) {
    const QRegularExpression link("href=\"([^\"#:]+)\"");
    int links = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kHelp)) {
        if (entry.path().extension() != ".html") continue;
        QFile file(QString::fromStdString(entry.path().string()));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        for (auto m = link.globalMatch(text); m.hasNext();) {
            const std::string target = m.next().captured(1).toStdString();
            ++links;
            EXPECT_TRUE(std::filesystem::exists(kHelp + "/" + target))
                << entry.path().filename() << " links to " << target;
        }
    }
    EXPECT_GT(links, 30);
}

TEST(HelpWindow, ATopicWithoutAPageSaysSoAndTheViewerIsTheProgramsWhenInstalled) {
    VTHelpWindow window(kHelp);
    window.showTopic(4321);
    EXPECT_TRUE(window.currentPage().isEmpty());
    EXPECT_TRUE(window.browser()->toPlainText().contains("Help not found"));
    EXPECT_TRUE(window.browser()->toPlainText().contains("4321"));

    VTHelpViewer::setCurrent(&window);
    VTContraptionFactory::instance().maker(0).showHelp();
    EXPECT_EQ(window.currentPage().toStdString(),
              std::to_string(VTContraptionFactory::instance().maker(0).helpContext()) + ".html");
    VTHelpViewer::setCurrent(nullptr);

    VTHelpWindow elsewhere(kHelp + "/missing-folder");
    elsewhere.showContents();
    EXPECT_TRUE(elsewhere.currentPage().isEmpty());
}

}  // namespace
