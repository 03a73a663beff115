// The patcher and properties panes: the two commands, the width rule, the resize rule and the
// layout sections of a document.
#include "GuiFixture.h"
#include "ui/TWinSplit.h"
#include "ui/qt/KDQtWinSplit.h"

namespace vantrel::test {
namespace {

class Panes : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        make();
    }
    int client() const { return form->ClientWidth(); }
    QWidget& properties() const { return reinterpret_cast<QWidget&>(form->PropertiesPane()); }
};

TEST_F(Panes, StartWithBothPanesAndA180PixelPatcher) {
    EXPECT_EQ(client(), 706);
    EXPECT_TRUE(form->PatcherPaneShown());
    EXPECT_TRUE(form->PropertiesPaneShown());
    EXPECT_EQ(form->PatcherWidth(), 180);
    EXPECT_EQ(form->PatcherPane().width(), 180);
    EXPECT_EQ(form->Splitter().control().MinTargetSize(), 30);
    EXPECT_EQ(form->Splitter().control().MaxTargetSize(), 706 - 30);
}

TEST_F(Panes, HidingThePropertiesPaneLetsThePatcherFillTheWindow) {
    form->PropertiesPaneCommand();
    settle();
    EXPECT_FALSE(form->PropertiesPaneShown());
    EXPECT_TRUE(form->Splitter().isHidden());
    EXPECT_EQ(form->PatcherPane().width(), client());
    // Shown again: a pane as wide as the window less 30 or more becomes half of it.
    form->PropertiesPaneCommand();
    settle();
    EXPECT_EQ(form->PatcherWidth(), 706 / 2);
    EXPECT_FALSE(form->Splitter().isHidden());
    EXPECT_EQ(form->Splitter().x(), form->PatcherPane().x() + form->PatcherPane().width());
}

TEST_F(Panes, WithoutPanesShowingThePatcherMakesItFillTheWindow) {
    form->PatcherPaneCommand();
    EXPECT_FALSE(form->PatcherPaneShown());
    EXPECT_TRUE(form->Splitter().isHidden());
    form->PropertiesPaneCommand();
    EXPECT_FALSE(form->PatcherPaneShown());
    EXPECT_FALSE(form->PropertiesPaneShown());
    form->PatcherPaneCommand();
    settle();
    EXPECT_TRUE(form->PatcherPaneShown());
    EXPECT_EQ(form->PatcherPane().width(), client());
    form->UpdateViewMenu();
    EXPECT_TRUE(form->MenuAction("&Patcher Pane")->isChecked());
    EXPECT_FALSE(form->MenuAction("P&roperties Pane")->isChecked());
}

TEST_F(Panes, ShrinkingTheWindowShrinksBothPanesInProportion) {
    form->SetPatcherWidth(300);
    settle();
    form->resize(353, form->height());
    settle();
    ASSERT_EQ(client(), 353);
    EXPECT_EQ(form->PatcherWidth(), 150) << "353 * 300 / 706";
    EXPECT_EQ(properties().width(), 353 - 150 - 3);
    EXPECT_EQ(form->Splitter().control().MaxTargetSize(), 353 - 30);

    // A wide patcher pane is held to the window's width less 30.
    form->resize(706, form->height());
    settle();
    form->SetPatcherWidth(670);
    settle();
    form->resize(400, form->height());
    settle();
    ASSERT_EQ(client(), 400);
    EXPECT_EQ(form->PatcherWidth(), 370) << "not 400 * 670 / 706 = 379";
    EXPECT_EQ(properties().width(), 400 - 370 - 3);
}

TEST_F(Panes, TheDocumentKeepsTheLayoutWithinTheWindowsLimit) {
    form->SetPatcherWidth(250);
    form->PropertiesPaneCommand();
    const std::string file = path("layout.vtx");
    dialogs->savePaths = {file};
    form->FileSaveAs();
    const std::string text = read(file);
    EXPECT_NE(text.find("splitter:\n\t706\nvisual1:\n\t706\n\t1\n\t0\n"), std::string::npos)
        << text;

    form->PropertiesPaneCommand();
    form->SetPatcherWidth(100);
    write(file,
          ".vtx 0.6\nsplitter:\n\t5000\nvisual1:\n\t260\n\t1\n\t1\ncontraptions:\n"
          "connections:\ncontrollers:\nend\n");
    ASSERT_TRUE(form->OpenPath(file));
    settle();
    EXPECT_TRUE(form->PatcherPaneShown());
    EXPECT_TRUE(form->PropertiesPaneShown());
    EXPECT_EQ(form->PatcherWidth(), 260);

    write(file, ".vtx 0.6\nsplitter:\n\t5000\ncontraptions:\nconnections:\ncontrollers:\nend\n");
    ASSERT_TRUE(form->OpenPath(file));
    EXPECT_EQ(form->PatcherWidth(), 706 - 30) << "limited to the splitter's largest size";

    write(file,
          ".vtx 0.6\nvisual1:\n\t200\n\t0\n\t1\ncontraptions:\nconnections:\ncontrollers:\n"
          "end\n");
    ASSERT_TRUE(form->OpenPath(file));
    EXPECT_FALSE(form->PatcherPaneShown());
    EXPECT_TRUE(form->PropertiesPaneShown());
}

}  // namespace
}  // namespace vantrel::test

namespace vantrel::test {
namespace {

TEST_F(Panes, DraggingTheSplitterMovesBothPanesWithinItsLimits) {
    TWinSplit& split = form->Splitter().control();
    split.MouseDown({1, 50, KDMouseButton::Left, ssLeft});
    split.MouseMove({101, 50, KDMouseButton::None, ssLeft});
    split.MouseUp({101, 50, KDMouseButton::Left, ssNone});
    settle();
    EXPECT_EQ(form->PatcherWidth(), 280);
    EXPECT_EQ(form->Splitter().x(), 280);
    EXPECT_EQ(properties().x(), 283);
    EXPECT_EQ(properties().width(), 706 - 283);

    split.MouseDown({1, 50, KDMouseButton::Left, ssLeft});
    split.MouseMove({-249, 50, KDMouseButton::None, ssLeft});
    split.MouseMove({-1000, 50, KDMouseButton::None, ssLeft});
    split.MouseUp({-1000, 50, KDMouseButton::Left, ssNone});
    settle();
    EXPECT_EQ(form->PatcherWidth(), 30) << "the smallest target size";
    EXPECT_EQ(form->PatcherPane().width(), 30);
}

}  // namespace
}  // namespace vantrel::test
