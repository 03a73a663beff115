// Contraptions through the clipboard as patch text, and the Edit menu's enabling.
#include <QLineEdit>

#include "GuiFixture.h"
#include "app/gui/VTPatchClipboard.h"
#include "editors/VTPropertiesPane.h"

namespace vantrel::test {
namespace {

class Clipboard : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        make();
    }
    KDTextClipboard& clip() { return KDTextClipboard::current(); }
    void selectOnly(std::initializer_list<VTContraption*> cs) {
        panel().ClearSelection();
        for (VTContraption* c : cs) panel().AddToSelection(nodeOf(c));
    }
    std::vector<std::string> selectedNames() {
        std::vector<std::string> out;
        for (int i = 0; i < panel().SelectedNodeCount(); ++i)
            out.push_back(panel().SelectedNode(i)->Caption());
        return out;
    }
};

TEST_F(Clipboard, PatchTextNeedsMoreThanTheSectionLine) {
    struct Case {
        std::string text;
        bool patch;
    };
    const Case cases[] = {
        {"contraptions:", false},
        {"contraptions:\n", true},
        {"contraptions:x", true},
        {"Contraptions:\n", false},
        {" contraptions:\n", false},
        {"preset: TestGen { 1 }", false},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VTPatchClipboard::IsPatchText(c.text), c.patch) << c.text;
        clip().setText(c.text);
        EXPECT_EQ(VTPatchClipboard::ClipboardHasPatch(clip()), c.patch) << c.text;
    }
}

TEST_F(Clipboard, CopyWritesTheSelectionRelativeToItsCorner) {
    VTContraption* a = addFromMenu("TestGen", 40, 60);
    VTContraption* b = addFromMenu("TestGen", 100, 50);
    selectOnly({a, b});
    focusPatcher();
    form->EditCopy();
    const std::string text = clip().text();
    EXPECT_EQ(text.rfind("contraptions:\n\tTestGen\tTestGen_1\t", 0), 0u) << text;
    EXPECT_NE(text.find("\n\tTestGen\tTestGen_2\t"), std::string::npos);
    EXPECT_NE(text.find("\nconnections:\nend\n"), std::string::npos);
    EXPECT_EQ(a->nodePosition(), std::make_pair(0, 10));
    EXPECT_EQ(b->nodePosition(), std::make_pair(60, 0));
    EXPECT_EQ(form->PatchClipboard().OriginX(), 40 + 25);
    EXPECT_EQ(form->PatchClipboard().OriginY(), 50 + 25);
}

TEST_F(Clipboard, CopyAndPasteMakesTheNextNameTwentyFivePixelsOnAndSelectsIt) {
    VTContraption* a = addFromMenu("TestGen", 40, 60);
    selectOnly({a});
    focusPatcher();
    form->EditCopy();
    const int updates = engine.deviceUpdates;
    form->EditPaste();
    ASSERT_EQ(doc().ContraptionCount(), 2);
    VTContraption* copy = doc().ContraptionAt(1);
    EXPECT_EQ(copy->name(), "TestGen_2");
    EXPECT_EQ(nodeOf(copy)->Left(), 65);
    EXPECT_EQ(nodeOf(copy)->Top(), 85);
    EXPECT_EQ(selectedNames(), std::vector<std::string>{"TestGen_2"});
    EXPECT_EQ(engine.deviceUpdates, updates + 1);
}

TEST_F(Clipboard, CutAndPasteBringsBackTheNameAndThePlace) {
    VTContraption* a = addFromMenu("TestGen", 40, 60);
    addFromMenu("TestGen", 200, 60);
    selectOnly({a});
    focusPatcher();
    form->EditCut();
    EXPECT_EQ(doc().FindContraption("TestGen_1"), nullptr);
    EXPECT_EQ(panel().NodeCount(), 1);
    form->EditPaste();
    VTContraption* back = doc().FindContraption("TestGen_1");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(nodeOf(back)->Left(), 40);
    EXPECT_EQ(nodeOf(back)->Top(), 60);
}

TEST_F(Clipboard, ThreePastesFanOutBy25Pixels) {
    VTContraption* a = addFromMenu("TestGen", 40, 60);
    selectOnly({a});
    focusPatcher();
    form->EditCopy();
    for (int i = 1; i <= 3; ++i) {
        form->EditPaste();
        VTContraption* c = doc().ContraptionAt(doc().ContraptionCount() - 1);
        EXPECT_EQ(nodeOf(c)->Left(), 40 + 25 * i) << i;
        EXPECT_EQ(nodeOf(c)->Top(), 60 + 25 * i) << i;
    }
}

TEST_F(Clipboard, OnlyConnectionsAmongTheCopiesAreCopiedAndTheyJoinTheCopies) {
    VTContraption* gen = addFromMenu("TestGen", 20, 20);
    VTContraption* mixer = addFromMenu("M2Mixer", 20, 120);
    VTContraption* lone = addFromMenu("TestGen", 200, 20);
    VTContraption* out = addFromMenu("SoundOut", 20, 220);
    ASSERT_TRUE(gen && mixer && lone && out);
    drag(nodeOf(gen), 0, nodeOf(mixer), 0);
    drag(nodeOf(mixer), 0, nodeOf(out), 0);
    ASSERT_EQ(panel().ConnectionCount(), 2);
    selectOnly({gen, mixer, lone});
    focusPatcher();
    form->EditCopy();
    const std::string text = clip().text();
    const std::string connections = text.substr(text.find("connections:\n"));
    EXPECT_EQ(connections, "connections:\n\tTestGen_1\t0\t" + mixer->name() + "\t0\nend\n");

    form->EditPaste();
    ASSERT_EQ(doc().ContraptionCount(), 7);
    VTContraption* genCopy = doc().ContraptionAt(4);
    VTContraption* mixerCopy = doc().ContraptionAt(5);
    EXPECT_EQ(genCopy->name(), "TestGen_3");
    ASSERT_EQ(mixerCopy->connectionCount(), 1);
    EXPECT_EQ(mixerCopy->connection(0).source, genCopy);
    EXPECT_EQ(mixer->connectionCount(), 1) << "the original keeps its one wire";
    EXPECT_EQ(panel().ConnectionCount(), 3);
    EXPECT_EQ(panel().SelectedNodeCount(), 3);
}

TEST_F(Clipboard, UnknownMakersAndUnfinishedTextAreSkipped) {
    focusPatcher();
    clip().setText("contraptions:\n\tNoSuchKind\tX_1\t{ }\t\n\tTestGen\tTestGen_9\t");
    form->EditPaste();
    EXPECT_LE(doc().ContraptionCount(), 1);
    clip().setText(
        "contraptions:\n\tTestGen\tTestGen_1\t{ 0, 1, 440 }\t{ }\t0\t0\t0\t0\t5\t5\t\n"
        "weird:\n\tstuff\nconnections:\n\tTestGen_1\t0\tNobody\t0\n");
    form->EditPaste();
    EXPECT_NE(doc().FindContraption("TestGen_1"), nullptr);
}

TEST_F(Clipboard, EditEnablingFollowsTheFocusAndTheSelection) {
    VTContraption* gen = addFromMenu("TestGen", 20, 20);
    focusPatcher();
    panel().ClearSelection();
    clip().setText("plain words");
    form->UpdateEditControls();
    EXPECT_FALSE(form->MenuAction("Cu&t")->isEnabled());
    EXPECT_FALSE(form->ButtonAction("Copy")->isEnabled());
    EXPECT_FALSE(form->MenuAction("Cle&ar")->isEnabled());
    EXPECT_FALSE(form->MenuAction("&Paste")->isEnabled());
    EXPECT_TRUE(form->MenuAction("Select A&ll")->isEnabled());
    form->MenuAction("Select A&ll")->trigger();
    EXPECT_EQ(panel().SelectedNodeCount(), 1);
    EXPECT_TRUE(form->MenuAction("Cu&t")->isEnabled());
    EXPECT_TRUE(form->MenuAction("&Copy")->isEnabled());
    EXPECT_TRUE(form->MenuAction("Cle&ar")->isEnabled());
    form->EditCopy();
    EXPECT_TRUE(form->MenuAction("&Paste")->isEnabled());
    EXPECT_TRUE(form->ButtonAction("Paste")->isEnabled());
    EXPECT_FALSE(form->ButtonAction("Undo")->isEnabled());
    (void)gen;
}

TEST_F(Clipboard, AFocusedTextFieldGetsTheTextCommandsEvenForPatchText) {
    auto* field = new QLineEdit(form->PropertiesPane().content());
    field->show();
    field->setFocus();
    settle();
    clip().setText("contraptions:\n\tTestGen\tTestGen_1\t\nend\n");
    form->UpdateEditControls();
    EXPECT_TRUE(form->MenuAction("&Paste")->isEnabled());
    EXPECT_FALSE(form->MenuAction("&Copy")->isEnabled());
    form->EditPaste();
    EXPECT_EQ(doc().ContraptionCount(), 0);
    EXPECT_TRUE(field->text().startsWith("contraptions:"));
    EXPECT_TRUE(form->MenuAction("&Undo")->isEnabled());
    form->EditSelectAll();
    EXPECT_TRUE(form->MenuAction("Cle&ar")->isEnabled());
    form->EditClear();
    EXPECT_TRUE(field->text().isEmpty());
    form->EditUndo();
    EXPECT_FALSE(field->text().isEmpty()) << "clearing is an undoable edit";
}

}  // namespace
}  // namespace vantrel::test

namespace vantrel::test {
namespace {

TEST_F(Clipboard, ClearAndSelectAllReachAFocusedNumberField) {
    form->TempoWidget().setFocus();
    settle();
    ASSERT_EQ(form->focusWidget(), &form->TempoWidget()) << "in view at the first width";
    form->EditSelectAll();
    EXPECT_TRUE(form->TempoEdit().AllSelected());
    EXPECT_TRUE(form->MenuAction("Cle&ar")->isEnabled());
    form->EditClear();
    EXPECT_TRUE(form->TempoEdit().Text().empty());
    EXPECT_EQ(doc().ContraptionCount(), 0);
}

TEST_F(Clipboard, CutCopyAndPasteReachAFocusedNumberField) {
    form->TempoWidget().setFocus();
    settle();
    ASSERT_EQ(form->focusWidget(), &form->TempoWidget());
    KDNumberEdit& tempo = form->TempoEdit();
    const std::string shown = tempo.Text();
    form->EditSelectAll();
    form->UpdateEditControls();
    EXPECT_TRUE(form->MenuAction("Cu&t")->isEnabled());
    EXPECT_TRUE(form->MenuAction("&Copy")->isEnabled());
    form->EditCopy();
    EXPECT_EQ(KDTextClipboard::current().text(), shown);
    EXPECT_EQ(tempo.Text(), shown) << "copying leaves the field";
    form->EditCut();
    EXPECT_TRUE(tempo.Text().empty());
    EXPECT_EQ(KDTextClipboard::current().text(), shown);

    KDTextClipboard::current().setText("9x5");
    form->UpdateEditControls();
    EXPECT_TRUE(form->MenuAction("&Paste")->isEnabled());
    form->EditPaste();
    EXPECT_EQ(tempo.Text(), "95") << "as if typed: what a number field does not take is left out";
    EXPECT_DOUBLE_EQ(doc().Tempo(), 95.0);
    EXPECT_EQ(doc().ContraptionCount(), 0) << "nothing was pasted into the patch";
}

}  // namespace
}  // namespace vantrel::test
