// The patcher pop-up with its "New" menu, and the patcher's edits reaching the document.
#include <QCheckBox>

#include "GuiFixture.h"
#include "contraptions/VTEditorWindow.h"
#include "editors/VTPropertiesPane.h"
#include "editors/io/TSoundInForm.h"
#include "platform/VTHelpViewer.h"

namespace vantrel::test {
namespace {

std::vector<std::string> titles(const QMenu& menu) {
    std::vector<std::string> out;
    for (QAction* a : menu.actions()) out.push_back(a->text().toStdString());
    return out;
}

QMenu* submenu(const QMenu& menu, const std::string& title) {
    for (QAction* a : menu.actions())
        if (a->menu() && a->text().toStdString() == title) return a->menu();
    return nullptr;
}

TEST_F(MainFormTest, ThePopupHoldsEditHelpDeleteAndNewByCategory) {
    make();
    const std::vector<std::string> popup = titles(form->PatcherPopup());
    EXPECT_EQ(popup, (std::vector<std::string>{"Edit", "Help", "", "Delete", "", "New"}));
    EXPECT_EQ(form->PatcherPopup().defaultAction()->text(), "Edit");
    const std::vector<std::string> categories = titles(form->NewMenu());
    const std::vector<std::string> first(categories.begin(), categories.begin() + 6);
    EXPECT_EQ(first, (std::vector<std::string>{"Input / Output", "Signal Generators", "Effects",
                                               "Filters", "Mixers", "Busses"}));
    EXPECT_EQ(submenu(form->NewMenu(), "VST Plugins"), nullptr) << "no plug-ins, no submenu";

    // Every maker sits in the submenu of its category, in registration order.
    VTContraptionFactory& factory = VTContraptionFactory::instance();
    std::map<std::string, std::vector<std::string>> expected;
    for (int i = 0; i < factory.makerCount(); ++i)
        expected[factory.maker(i).category()].push_back(factory.maker(i).name());
    for (const auto& [category, makers] : expected) {
        if (category.empty()) continue;
        QMenu* menu = submenu(form->NewMenu(), category);
        ASSERT_NE(menu, nullptr) << category;
        EXPECT_EQ(titles(*menu), makers) << category;
    }
    EXPECT_EQ(titles(*submenu(form->NewMenu(), "Signal Generators")).front(), "TestGen");
}

TEST_F(MainFormTest, ScannedPlugInsGetTheirFoldersInAVstPluginsSubmenu) {
    plugins.folders.push_back(
        {"synths", {}, {{"Alpha", "/x/synths/Alpha.so", makerIndex("TestGen")}}});
    plugins.plugins.push_back({"Beta", "/x/Beta.so", makerIndex("Drums")});
    make();
    QMenu* vst = submenu(form->NewMenu(), "VST Plugins");
    ASSERT_NE(vst, nullptr);
    EXPECT_EQ(form->NewMenu().actions().back()->menu(), vst) << "the last item";
    EXPECT_EQ(titles(*vst), (std::vector<std::string>{"synths", "Beta"}));
    EXPECT_EQ(titles(*submenu(*vst, "synths")), std::vector<std::string>{"Alpha"});
}

TEST_F(MainFormTest, ANewContraptionLandsWhereTheRightButtonWasPressed) {
    make();
    const int updates = engine.deviceUpdates;
    VTContraption* c = addFromMenu("TestGen", 60, 70);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->name(), "TestGen_1");
    ASSERT_EQ(panel().NodeCount(), 1);
    EXPECT_EQ(panel().Nodes(0)->Left(), 60);
    EXPECT_EQ(panel().Nodes(0)->Top(), 70);
    EXPECT_EQ(panel().Nodes(0)->Caption(), "TestGen_1");
    EXPECT_EQ(panel().Nodes(0)->Data(), c);
    EXPECT_EQ(engine.deviceUpdates, updates + 1);
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(MainFormTest, MakersThatCannotCreateAreDisabledWhenThePopupOpens) {
    make();
    ASSERT_NE(addFromMenu("SoundOut", 10, 10), nullptr);
    form->PatcherPressed(200, 200, true);
    EXPECT_FALSE(form->MakerAction(makerIndex("SoundOut"))->isEnabled()) << "one main output";
    EXPECT_TRUE(form->MakerAction(makerIndex("TestGen"))->isEnabled());
    EXPECT_FALSE(form->PatcherPopup().actions()[0]->isEnabled()) << "Edit: no node there";
    EXPECT_FALSE(form->PatcherPopup().actions()[1]->isEnabled()) << "Help: no node there";
    form->PatcherPopup().hide();
}

TEST_F(MainFormTest, EditAndHelpActOnTheNodeUnderTheRightPress) {
    struct Help : VTHelpViewer {
        void showTopic(int t) override { topics.push_back(t); }
        std::vector<int> topics;
    } help;
    VTHelpViewer::setCurrent(&help);
    make();
    VTContraption* gen = addFromMenu("TestGen", 20, 20);
    form->PatcherPressed(25, 25, true);
    ASSERT_TRUE(form->PatcherPopup().actions()[0]->isEnabled());
    ASSERT_TRUE(form->PatcherPopup().actions()[1]->isEnabled());
    form->PatcherPopup().actions()[1]->trigger();
    form->PatcherPopup().actions()[0]->trigger();
    form->PatcherPopup().hide();
    EXPECT_TRUE(gen->formState().hasEditorWindow());
    EXPECT_EQ(help.topics, std::vector<int>{gen->maker().helpContext()});
    form->MenuAction("&Help Topics")->trigger();
    EXPECT_EQ(help.topics.back(), 0);
    VTHelpViewer::setCurrent(nullptr);
}

TEST_F(MainFormTest, ADoubleClickOnANodeOpensItsEditorInThePropertiesPane) {
    make();
    VTContraption* gen = addFromMenu("TestGen", 20, 20);
    QWidget* viewport = form->PatcherWidget().Viewport();
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(30, 28));
    ASSERT_TRUE(gen->formState().hasEditorWindow());
    auto* window = dynamic_cast<QWidget*>(gen->formState().editorWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(form->PropertiesPane().content()->isAncestorOf(window));
}

TEST_F(MainFormTest, TheSoundInputsFileSwitchUpdatesTheDevicesInUse) {
    make();
    VTContraption* in = addFromMenu("SoundIn", 20, 20);
    ASSERT_NE(in, nullptr);
    in->showEditor();
    auto* editor = dynamic_cast<TSoundInForm*>(in->formState().editorWindow());
    ASSERT_NE(editor, nullptr);
    const int updates = engine.deviceUpdates;
    QTest::mouseClick(&editor->UseInputFileCheckBox(), Qt::LeftButton);
    EXPECT_EQ(engine.deviceUpdates, updates + 1) << "the device input is no longer needed";
}

TEST_F(MainFormTest, WiringAndDeletingOnThePatcherEditTheDocument) {
    make();
    VTContraption* gen = addFromMenu("TestGen", 20, 20);
    VTContraption* out = addFromMenu("SoundOut", 40, 150);
    drag(nodeOf(gen), 0, nodeOf(out), 1);
    ASSERT_EQ(panel().ConnectionCount(), 1);
    ASSERT_EQ(out->connectionCount(), 1);
    EXPECT_EQ(out->connection(0).source, gen);
    EXPECT_EQ(out->connection(0).inlet, 1);

    // Selecting the wire and clearing it disconnects; clearing a node deletes its contraption.
    focusPatcher();
    const KDPoint mid{
        (panel().Connections(0)->StartPoint().x + panel().Connections(0)->EndPoint().x) / 2,
        (panel().Connections(0)->StartPoint().y + panel().Connections(0)->EndPoint().y) / 2};
    panel().MouseDown({mid.x, mid.y, KDMouseButton::Left, ssLeft});
    panel().MouseUp({mid.x, mid.y, KDMouseButton::Left, ssNone});
    ASSERT_EQ(panel().SelectedConnectionCount(), 1);
    form->EditClear();
    EXPECT_EQ(out->connectionCount(), 0);
    EXPECT_EQ(panel().ConnectionCount(), 0);

    const int updates = engine.deviceUpdates;
    panel().ClearSelection();
    panel().AddToSelection(nodeOf(out));
    form->EditClear();
    EXPECT_EQ(doc().ContraptionCount(), 1);
    EXPECT_EQ(doc().FindContraption("SoundOut"), nullptr);
    EXPECT_EQ(engine.deviceUpdates, updates + 1);
}

}  // namespace
}  // namespace vantrel::test
