// What the main window does with the document's file commands: the questions and their
// answers, the recently closed list, the caption and the patcher rebuilt from the document.
#include "GuiFixture.h"
#include "platform/VTSettingsKeys.h"

namespace vantrel::test {
namespace {

class FileReactions : public MainFormTest {
protected:
    // A titled document holding one generator, saved.
    // Two generators at (40, 50) and (140, 90) at 133.5 beats per minute, saved as `name`.
    std::string twoGenerators(const std::string& name) {
        addFromMenu("TestGen", 40, 50);
        addFromMenu("TestGen", 140, 90);
        doc().SetTempo(133.5);
        const std::string file = savedDocument(name);
        form->FileNew();
        return file;
    }
    std::string savedDocument(const std::string& name) {
        const std::string file = path(name);
        dialogs->savePaths.push_back(file);
        form->FileSaveAs();
        return file;
    }
};

TEST_F(FileReactions, CaptionNamesTheDocumentOrUntitled) {
    make();
    EXPECT_EQ(form->windowTitle(), "Untitled - Vantrel");
    savedDocument("drone.vtx");
    EXPECT_EQ(form->windowTitle(), "drone - Vantrel");
    form->FileNew();
    EXPECT_EQ(form->windowTitle(), "Untitled - Vantrel");
}

TEST_F(FileReactions, NewOnAModifiedDocumentCancelledChangesNothing) {
    make();
    const std::string file = savedDocument("a.vtx");
    addFromMenu("TestGen", 10, 10);
    ASSERT_TRUE(doc().IsModified());
    dialogs->saveAnswers = {FakeDialogs::Answer::Cancel};
    const int updates = engine.deviceUpdates;
    form->FileNew();
    EXPECT_EQ(doc().ContraptionCount(), 1);
    EXPECT_EQ(panel().NodeCount(), 1);
    EXPECT_EQ(doc().GetPath(), file);
    EXPECT_TRUE(form->ReloadManager().Entries().empty());
    EXPECT_EQ(engine.deviceUpdates, updates);
}

TEST_F(FileReactions, NewOnAModifiedUntitledDocumentWithYesAndACancelledSaveCancels) {
    make();
    addFromMenu("TestGen", 10, 10);
    dialogs->saveAnswers = {FakeDialogs::Answer::Yes};
    form->FileNew();
    EXPECT_EQ(dialogs->saveDialogs, 1);
    EXPECT_EQ(doc().ContraptionCount(), 1);
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(FileReactions, NewEmptiesThePatcherAndListsThePreviousPath) {
    make();
    const std::string file = savedDocument("a.vtx");
    addFromMenu("TestGen", 10, 10);
    dialogs->saveAnswers = {FakeDialogs::Answer::No};
    const int updates = engine.deviceUpdates;
    form->FileNew();
    EXPECT_EQ(panel().NodeCount(), 0);
    EXPECT_EQ(doc().ContraptionCount(), 0);
    EXPECT_EQ(form->ReloadManager().Entries(), std::vector<std::string>{file});
    EXPECT_EQ(engine.deviceUpdates, updates + 1);
}

TEST_F(FileReactions, OpenBuildsThePatcherFromTheDocument) {
    make();
    const std::string file = twoGenerators("two.vtx");
    ASSERT_EQ(panel().NodeCount(), 0);
    dialogs->openPaths = {file};
    form->FileOpen();
    ASSERT_EQ(panel().NodeCount(), 2);
    EXPECT_EQ(panel().Nodes(0)->Caption(), "TestGen_1");
    EXPECT_EQ(panel().Nodes(1)->Left(), 140);
    EXPECT_EQ(panel().Nodes(1)->Top(), 90);
    EXPECT_EQ(form->TempoEdit().Text(), "133.5");
    EXPECT_EQ(form->windowTitle(), "two - Vantrel");
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(FileReactions, OpeningAFileThatIsNotADocumentKeepsThePatchAndItsPath) {
    make();
    const std::string file = savedDocument("kept.vtx");
    addFromMenu("TestGen", 10, 10);
    const std::string junk = path("junk.vtx");
    write(junk, "hello\n");
    dialogs->saveAnswers = {FakeDialogs::Answer::No};
    dialogs->openPaths = {junk};
    form->FileOpen();
    ASSERT_FALSE(box.messages.empty());
    EXPECT_EQ(box.messages.back().text, "The specified file is not an Vantrel document.");
    EXPECT_EQ(box.messages.back().caption, "Error Reading Document");
    EXPECT_EQ(doc().ContraptionCount(), 1);
    EXPECT_EQ(panel().NodeCount(), 1);
    EXPECT_EQ(doc().GetPath(), file);
    EXPECT_EQ(form->windowTitle(), "kept - Vantrel");
    EXPECT_TRUE(form->ReloadManager().Entries().empty());
}

TEST_F(FileReactions, CancellingTheOpenDialogStillListsThePathAndRebuilds) {
    make();
    const std::string file = savedDocument("a.vtx");
    form->FileOpen();  // the dialog gives no path
    EXPECT_EQ(form->ReloadManager().Entries(), std::vector<std::string>{file});
    EXPECT_EQ(doc().GetPath(), file);
}

TEST_F(FileReactions, ReopenListsPathsOnceAndDropsTheOldestAfterTen) {
    make();
    const std::string source = twoGenerators("source.vtx");
    std::vector<std::string> files;
    for (int i = 0; i < 12; ++i) {
        files.push_back(path("doc" + std::to_string(i) + ".vtx"));
        write(files.back(), read(source));
    }
    form.reset();
    make();
    for (int i = 0; i < 12; ++i) ASSERT_TRUE(form->OpenPath(files[static_cast<std::size_t>(i)]));
    // Eleven documents were closed by the twelve opens: the first is gone.
    const auto& entries = form->ReloadManager().Entries();
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries.front(), files[10]);
    EXPECT_EQ(entries.back(), files[1]);

    form->UpdateFileMenu();
    QMenu& reopen = form->ReopenMenu();
    ASSERT_EQ(reopen.actions().size(), 10);
    EXPECT_EQ(reopen.actions().front()->text().toStdString(), "&0 " + files[10]);
    EXPECT_TRUE(reopen.menuAction()->isEnabled());
    // Reopening the top entry closes doc11, which goes to the top; reopening that one brings
    // doc10 back to the top without listing it twice.
    reopen.actions().front()->trigger();
    EXPECT_EQ(doc().GetPath(), files[10]);
    EXPECT_EQ(entries.front(), files[11]);
    form->UpdateFileMenu();
    reopen.actions().front()->trigger();
    EXPECT_EQ(doc().GetPath(), files[11]);
    EXPECT_EQ(entries.front(), files[10]);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), files[10]), 1);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), files[11]), 1);
    EXPECT_EQ(entries.size(), 10u);
}

TEST_F(FileReactions, SaveIsEnabledForAnUntitledDocumentAndRevertIsNot) {
    make();
    form->UpdateFileMenu();
    EXPECT_TRUE(form->MenuAction("&Save")->isEnabled());
    EXPECT_FALSE(form->MenuAction("Revert")->isEnabled());
    EXPECT_FALSE(form->ReopenMenu().menuAction()->isEnabled());
    savedDocument("a.vtx");
    form->UpdateFileMenu();
    EXPECT_FALSE(form->MenuAction("&Save")->isEnabled());
    EXPECT_FALSE(form->MenuAction("Revert")->isEnabled());
    addFromMenu("TestGen", 10, 10);
    form->UpdateFileMenu();
    EXPECT_TRUE(form->MenuAction("&Save")->isEnabled());
    EXPECT_TRUE(form->MenuAction("Revert")->isEnabled());
    EXPECT_FALSE(form->MenuAction("&Export as Wave File...")->isEnabled())
        << "no sound output in the patch";
    addFromMenu("SoundOut", 100, 100);
    form->UpdateFileMenu();
    EXPECT_TRUE(form->MenuAction("&Export as Wave File...")->isEnabled());
}

TEST_F(FileReactions, RevertReadsTheFileAgainAndRebuildsThePatcher) {
    make();
    savedDocument("a.vtx");
    addFromMenu("TestGen", 10, 10);
    form->FileRevert();
    EXPECT_EQ(doc().ContraptionCount(), 0);
    EXPECT_EQ(panel().NodeCount(), 0);
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(FileReactions, ClosingAsksStopsAudioAndListsTheDocument) {
    make();
    const std::string file = savedDocument("last.vtx");
    addFromMenu("TestGen", 10, 10);
    dialogs->saveAnswers = {FakeDialogs::Answer::Cancel};
    EXPECT_FALSE(form->close());
    EXPECT_NE(form->Document(), nullptr);

    engine.running = true;
    dialogs->saveAnswers = {FakeDialogs::Answer::No};
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(engine.running);
    EXPECT_EQ(form->Document(), nullptr);
    EXPECT_EQ(engine.context, nullptr);
    form.reset();
    EXPECT_EQ(settings.readString(VTSettingsKeys::ClosedFiles, "File_0"), file);
}

TEST_F(FileReactions, TheOpenAndSaveDialogsCarryTheirTitlesAndFilters) {
    QFileDialog open, save;
    BraskDocDialogs::SetUpOpenDialog(open);
    BraskDocDialogs::SetUpSaveDialog(save);
    EXPECT_EQ(open.windowTitle(), "Open");
    EXPECT_EQ(open.nameFilters(), (QStringList{"Vantrel document (*.vtx)", "All files (*)"}));
    EXPECT_EQ(open.defaultSuffix(), "vtx");
    EXPECT_EQ(open.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(save.windowTitle(), "Save");
    EXPECT_EQ(save.nameFilters(), (QStringList{"Vantrel document (*.vtx)", "All documents (*)"}));
    EXPECT_EQ(save.defaultSuffix(), "vtx");
    EXPECT_EQ(save.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(save.testOption(QFileDialog::DontConfirmOverwrite));
}

// A widget that counts the left-button releases it gets.
struct ReleaseCounter : QWidget {
    void mouseReleaseEvent(QMouseEvent*) override { ++releases; }
    int releases = 0;
};

TEST_F(FileReactions, TheReleaseOfTheClickThatClosedTheOpenDialogDoesNotReachTheWindow) {
    BraskDocDialogs dialogs(nullptr);
    ReleaseCounter beneath;
    beneath.resize(50, 50);
    beneath.show();
    // The dialog closes with the release still queued, as a double click on a file leaves it.
    QTimer::singleShot(0, [&beneath] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QFileDialog*>(w); d && d->isVisible()) d->reject();
        QCoreApplication::postEvent(
            &beneath, new QMouseEvent(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5),
                                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    });
    EXPECT_EQ(dialogs.GetOpenPath(), std::nullopt);
    QCoreApplication::processEvents();
    EXPECT_EQ(beneath.releases, 0) << "taken even though no file was chosen";
}

}  // namespace
}  // namespace vantrel::test

namespace vantrel::test {
namespace {

TEST_F(FileReactions, SaveFollowsAnEditWithoutTheMenuOpening) {
    make();
    savedDocument("a.vtx");
    form->UpdateFileMenu();
    ASSERT_FALSE(form->ButtonAction("Save")->isEnabled());
    doc().SetModified();  // as an editor window does
    QTest::qWait(400);
    EXPECT_TRUE(form->ButtonAction("Save")->isEnabled());
}

}  // namespace
}  // namespace vantrel::test
