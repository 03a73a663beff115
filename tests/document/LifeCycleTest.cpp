#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "document/KDMessageDocumentDialogs.h"

namespace vantrel::test {
namespace {

using Save = ScriptedDialogs::Save;

// The life cycle against real files: "a.vtx" holds one TestGen, "b.vtx" one RingAM,
// "junk.vtx" is no document and "cut.vtx" is cut off after its first contraption.
class LifeCycle : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        a = file("a.vtx");
        b = file("b.vtx");
        junk = file("junk.vtx");
        cut = file("cut.vtx");
        add("TestGen");
        ASSERT_TRUE(doc->WriteFile(a));
        doc->Reset();
        add("RingAM");
        ASSERT_TRUE(doc->WriteFile(b));
        const std::string text = doc->WriteText();
        writeWholeFile(cut, text.substr(0, text.find("connections:")));
        writeWholeFile(junk, "not a patch\n");
        dialogs->saveAnswers = {Save::No};
        ASSERT_TRUE(doc->New());
        log = {};
        box.messages.clear();
    }

    void answerNoIfModified() {
        if (doc->IsModified()) dialogs->saveAnswers.push_front(Save::No);
    }

    // An untitled, modified document holding one Drums.
    void makeModifiedUntitled() {
        answerNoIfModified();
        ASSERT_TRUE(doc->New());
        add("Drums");
        ASSERT_TRUE(doc->IsModified());
    }
    // The document of a.vtx, then modified by adding a Drums.
    void makeModifiedTitled() {
        answerNoIfModified();
        ASSERT_TRUE(doc->OpenPath(a));
        add("Drums");
    }

    std::string a, b, junk, cut;
};

TEST_F(LifeCycle, NewAsksWhenModified) {
    makeModifiedUntitled();
    dialogs->saveAnswers = {Save::Cancel};
    EXPECT_FALSE(doc->New());
    EXPECT_EQ(names(), std::vector<std::string>{"Drums_1"});
    EXPECT_TRUE(doc->IsModified());

    dialogs->saveAnswers = {Save::No};
    EXPECT_TRUE(doc->New());
    EXPECT_EQ(doc->ContraptionCount(), 0);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(doc->GetPath());
    EXPECT_EQ(log.askSave, 2);

    // Not modified: no question at all.
    EXPECT_TRUE(doc->New());
    EXPECT_EQ(log.askSave, 2);
}

TEST_F(LifeCycle, NewWithYesOnAnUntitledDocumentGoesThroughSaveAs) {
    makeModifiedUntitled();
    dialogs->saveAnswers = {Save::Yes};
    dialogs->savePath.reset();  // the save dialog is cancelled
    EXPECT_FALSE(doc->New());
    EXPECT_EQ(log.savePath, 1);
    EXPECT_EQ(doc->ContraptionCount(), 1);

    dialogs->saveAnswers = {Save::Yes};
    dialogs->savePath = file("saved.vtx");
    EXPECT_TRUE(doc->New());
    EXPECT_EQ(doc->ContraptionCount(), 0);
    EXPECT_FALSE(doc->GetPath());
    EXPECT_NE(readWholeFile(file("saved.vtx")).find("Drums_1"), std::string::npos);
}

TEST_F(LifeCycle, NewWithYesStopsWhenTheSaveFails) {
    makeModifiedTitled();
    std::filesystem::remove(a);
    std::filesystem::create_directory(a);  // the file's place is taken by a directory
    writeWholeFile(std::filesystem::path(a) / "x", "x");
    dialogs->saveAnswers = {Save::Yes};
    EXPECT_FALSE(doc->New());
    EXPECT_EQ(box.messages.size(), 1u);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetPath(), a);
    EXPECT_EQ(doc->ContraptionCount(), 2);
}

TEST_F(LifeCycle, Open) {
    // The open dialog cancelled: true, and nothing changes.
    makeModifiedTitled();
    dialogs->saveAnswers = {Save::No};
    dialogs->openPath.reset();
    EXPECT_TRUE(doc->Open());
    EXPECT_EQ(doc->GetPath(), a);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->ContraptionCount(), 2);

    // Cancel in the question: false, the dialog never shown.
    dialogs->saveAnswers = {Save::Cancel};
    EXPECT_FALSE(doc->Open());
    EXPECT_EQ(log.openPath, 1);

    dialogs->saveAnswers = {Save::No};
    dialogs->openPath = b;
    EXPECT_TRUE(doc->Open());
    EXPECT_EQ(doc->GetPath(), b);
    EXPECT_EQ(doc->GetTitle(), "b");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(names(), std::vector<std::string>{"RingAM_1"});
}

TEST_F(LifeCycle, OpeningSomethingThatIsNoDocumentKeepsThePatchAndItsPath) {
    makeModifiedTitled();
    dialogs->saveAnswers = {Save::No, Save::No};
    EXPECT_FALSE(doc->OpenPath(junk));
    EXPECT_EQ(box.messages.size(), 1u);
    EXPECT_EQ(doc->GetPath(), a);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->ContraptionCount(), 2);
    EXPECT_FALSE(doc->OpenPath(file("missing.vtx")));
    EXPECT_EQ(doc->GetPath(), a);
}

TEST_F(LifeCycle, OpeningADamagedDocumentLeavesItUntitled) {
    makeModifiedTitled();
    dialogs->saveAnswers = {Save::No};
    EXPECT_TRUE(doc->OpenPath(cut));
    EXPECT_FALSE(doc->GetPath());
    EXPECT_EQ(doc->GetTitle(), "");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(names(), std::vector<std::string>{"RingAM_1"});
}

TEST_F(LifeCycle, OpenPathWithoutAPath) {
    makeModifiedTitled();
    dialogs->saveAnswers = {Save::No};
    EXPECT_TRUE(doc->OpenPath(std::nullopt));
    EXPECT_EQ(doc->GetPath(), a);
    EXPECT_TRUE(doc->IsModified());
    dialogs->saveAnswers = {Save::Cancel};
    EXPECT_FALSE(doc->OpenPath(b));
    EXPECT_EQ(doc->GetPath(), a);
}

TEST_F(LifeCycle, SaveAndSaveAs) {
    // Untitled: Save is Save As; a cancelled dialog gives false.
    makeModifiedUntitled();
    EXPECT_FALSE(doc->Save());
    EXPECT_EQ(log.savePath, 1);
    EXPECT_FALSE(log.savePathOffered);
    EXPECT_TRUE(doc->IsModified());

    const std::string c = file("c.vtx");
    dialogs->savePath = c;
    EXPECT_TRUE(doc->Save());
    EXPECT_EQ(doc->GetPath(), c);
    EXPECT_EQ(doc->GetTitle(), "c");
    EXPECT_FALSE(doc->IsModified());

    // Titled: Save writes in place without a dialog.
    add("TestGen");
    EXPECT_TRUE(doc->Save());
    EXPECT_EQ(log.savePath, 2);
    EXPECT_NE(readWholeFile(c).find("TestGen_1"), std::string::npos);

    // Save As offers the present path; a failed write changes nothing.
    add("TestGen");
    dialogs->savePath = file("no/dir/d.vtx");
    EXPECT_FALSE(doc->SaveAs());
    EXPECT_EQ(log.savePathOffered, c);
    EXPECT_EQ(doc->GetPath(), c);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(LifeCycle, Revert) {
    // Untitled: no revert and no question.
    makeModifiedUntitled();
    EXPECT_FALSE(doc->Revert());
    EXPECT_EQ(log.confirmRevert, 0);

    makeModifiedTitled();
    dialogs->revertAnswer = false;
    EXPECT_FALSE(doc->Revert());
    EXPECT_EQ(doc->ContraptionCount(), 2);

    dialogs->revertAnswer = true;
    EXPECT_TRUE(doc->Revert());
    EXPECT_EQ(names(), std::vector<std::string>{"TestGen_1"});
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetPath(), a);
}

TEST_F(LifeCycle, RevertToAFileThatWentBad) {
    makeModifiedTitled();
    // Unreadable: nothing changes.
    std::filesystem::remove(a);
    EXPECT_FALSE(doc->Revert());
    EXPECT_EQ(doc->GetPath(), a);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->ContraptionCount(), 2);
    // Damaged after its header: the patch is gone, the document untitled and unmodified.
    std::filesystem::copy_file(cut, a);
    EXPECT_TRUE(doc->Revert());
    EXPECT_FALSE(doc->GetPath());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(names(), std::vector<std::string>{"RingAM_1"});
}

TEST_F(LifeCycle, CanCloseWithEveryAnswer) {
    EXPECT_TRUE(doc->CanClose());
    EXPECT_EQ(log.askSave, 0);

    makeModifiedTitled();
    dialogs->saveAnswers = {Save::Cancel};
    EXPECT_FALSE(doc->CanClose());
    dialogs->saveAnswers = {Save::No};
    EXPECT_TRUE(doc->CanClose());
    EXPECT_TRUE(doc->IsModified());
    dialogs->saveAnswers = {Save::Yes};
    EXPECT_TRUE(doc->CanClose());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_NE(readWholeFile(a).find("Drums_1"), std::string::npos);

    makeModifiedUntitled();
    dialogs->saveAnswers = {Save::Yes};
    dialogs->savePath.reset();
    EXPECT_FALSE(doc->CanClose());
}

TEST_F(LifeCycle, FileCommandState) {
    struct Case {
        bool titled, modified, save, revert;
    };
    for (const Case& c : {Case{false, false, true, false}, Case{false, true, true, false},
                          Case{true, false, false, false}, Case{true, true, true, true}}) {
        doc->New();
        if (c.titled) {
            ASSERT_TRUE(doc->OpenPath(a));
        }
        if (c.modified) doc->SetModified();
        const auto state = doc->GetFileCommandState();
        EXPECT_EQ(state.saveEnabled, c.save) << c.titled << c.modified;
        EXPECT_EQ(state.revertEnabled, c.revert) << c.titled << c.modified;
        dialogs->saveAnswers = {Save::No};
    }
}

TEST(DocumentTitle, RulesOfTheTitle) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/home/u/drone.vtx", "drone"}, {"/home/u/a.b.vtx", "a.b"}, {"/home/u/drone", "drone"},
        {"/home/u/.drone", ".drone"},   {"drone.vtx", "drone"},     {"C:\\patches\\x.vtx", "x"},
        {"/dir.v/name", "name"},        {"/home/u/", ""},           {"/a/..vtx", "."},
    };
    for (const auto& [path, title] : cases) EXPECT_EQ(KDDocument::TitleOf(path), title) << path;
}

TEST_F(LifeCycle, TitleFollowsThePath) {
    EXPECT_EQ(doc->GetTitle(), "");
    ASSERT_TRUE(doc->OpenPath(a));
    EXPECT_EQ(doc->GetTitle(), "a");
    dialogs->savePath = file("renamed.v1.vtx");
    ASSERT_TRUE(doc->SaveAs());
    EXPECT_EQ(doc->GetTitle(), "renamed.v1");
    ASSERT_TRUE(doc->New());
    EXPECT_EQ(doc->GetTitle(), "");
}

TEST(MessageDocumentDialogs, AskWithTheProgramsTexts) {
    RecordingMessageBox box;
    KDMessageDocumentDialogs dialogs;
    struct Case {
        VTMessageAnswer answer;
        bool save, cancelled;
    };
    for (const Case& c :
         {Case{VTMessageAnswer::Yes, true, false}, Case{VTMessageAnswer::No, false, false},
          Case{VTMessageAnswer::Cancel, false, true}}) {
        box.answers = {c.answer};
        bool cancelled = false;
        EXPECT_EQ(dialogs.AskSaveChanges(cancelled), c.save);
        EXPECT_EQ(cancelled, c.cancelled);
    }
    ASSERT_EQ(box.messages.size(), 3u);
    EXPECT_EQ(box.messages[0].text,
              "The current document has been modified.\n\nDo you want to save the changes?");
    EXPECT_EQ(box.messages[0].caption, "Vantrel");
    EXPECT_EQ(box.messages[0].buttons, VTMessageButtons::YesNoCancel);
    EXPECT_EQ(box.messages[0].icon, VTMessageIcon::Warning);

    box.answers = {VTMessageAnswer::Yes, VTMessageAnswer::No};
    EXPECT_TRUE(dialogs.ConfirmRevert());
    EXPECT_FALSE(dialogs.ConfirmRevert());
    EXPECT_EQ(box.messages[3].text,
              "Reverting the document will discard all changes since the last save "
              "operation\n\nAre you sure you want to revert?");
    EXPECT_EQ(box.messages[3].buttons, VTMessageButtons::YesNo);
    EXPECT_EQ(box.messages[3].icon, VTMessageIcon::Warning);
    EXPECT_FALSE(dialogs.GetOpenPath());
    EXPECT_FALSE(dialogs.GetSavePath(std::string("x")));
}

TEST(MessageDocumentDialogs, WithoutAMessageBoxNothingIsSavedOrReverted) {
    VTMessageBox* previous = VTMessageBox::current();
    VTMessageBox::setCurrent(nullptr);
    KDMessageDocumentDialogs dialogs;
    bool cancelled = false;
    EXPECT_FALSE(dialogs.AskSaveChanges(cancelled));
    EXPECT_TRUE(cancelled);
    EXPECT_FALSE(dialogs.ConfirmRevert());
    VTMessageBox::setCurrent(previous);
}

}  // namespace
}  // namespace vantrel::test
