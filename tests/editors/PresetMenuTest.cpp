// The preset menu and the preset button: the grid, its mouse rules, and the slot actions run
// from an editor window, with the clipboard texts between contraptions.
#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>
#include <sstream>

#include "EditorFixture.h"
#include "editors/generators/TTestGenForm.h"
#include "params/SGPreset.h"

namespace vantrel::test {
namespace {

std::string slotText(VTContraption& c, int k) {
    std::ostringstream out;
    c.preset(k).write(out);
    return out.str();
}

TEST(PresetMenuGrid, SlotsRunFiveAcrossAndTheMarginHitsNothing) {
    TPresetMenuForm& menu = TPresetMenuForm::instance();
    const int w = menu.cellWidth(), h = menu.cellHeight();
    ASSERT_GT(w, 0);
    ASSERT_GT(h, 0);
    EXPECT_EQ(menu.size(), QSize(5 * w + 6, 4 * h + 6));
    EXPECT_EQ(menu.cellRect(1), QRect(3, 3, w, h));
    EXPECT_EQ(menu.cellRect(20), QRect(3 + 4 * w, 3 + 3 * h, w, h));
    struct Case {
        int x, y, slot;
    };
    const Case cases[] = {
        {4, 4, 1},
        {3 + w, 4, 2},
        {3 + 4 * w + 1, 3 + 3 * h + 1, 20},
        {4, 3 + h, 6},
        {3, 10, -1},                  // on the margin's inner edge
        {10, menu.height() - 3, -1},  // the bottom margin
        {menu.width() - 2, 10, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(menu.hitTest(c.x, c.y), c.slot) << c.x << "," << c.y;
}

TEST(PresetMenuGrid, PlacementKeepsTheMenuOnTheScreen) {
    const QSize screen(800, 600), size(100, 80);
    EXPECT_EQ(TPresetMenuForm::fitToScreen({790, 100}, size, screen), QPoint(700, 100));
    EXPECT_EQ(TPresetMenuForm::fitToScreen({-5, 590}, size, screen), QPoint(0, 520));
    EXPECT_EQ(TPresetMenuForm::fitToScreen({10, -3}, size, screen), QPoint(10, 0));
    EXPECT_EQ(TPresetMenuForm::fitToScreen({700, 520}, size, screen), QPoint(700, 520));
}

class PresetMenu : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        QGuiApplication::clipboard()->clear();
        gen = preview->addEditor("TestGen", 10, 10);
        ASSERT_NE(gen, nullptr);
        form = &static_cast<TTestGenForm&>(formOf(*gen));
        static_cast<SGDoubleProperty&>(table().findProperty("Amplitude")).setValue(0.5);
        form->refreshAll(true);
    }
    SGPropertyTable& table() { return gen->processor().propertyTable(); }
    double frequency() {
        return static_cast<SGDoubleProperty&>(table().findProperty("Frequency")).value();
    }
    std::string caption() { return form->presetButton().control().Caption(); }

    VTContraption* gen = nullptr;
    TTestGenForm* form = nullptr;
};

TEST_F(PresetMenu, StoreOnSlotOneEditThenRecall) {
    EXPECT_EQ(caption(), "--");
    modified = 0;
    withPresetMenu(*form, [](TPresetMenuForm& m) { chooseFromSlot(m, 1, m.StoreItem); });
    EXPECT_EQ(gen->currentPreset(), 0);
    EXPECT_EQ(caption(), "1");
    EXPECT_EQ(slotText(*gen, 0), "{ 0.5, 440, 1 }");
    EXPECT_GT(modified, 0);
    EXPECT_FALSE(TPresetMenuForm::instance().isVisible());

    // Turning the frequency afterwards is an edit.
    KDNumberEdit& edit = form->FrequencyEdit();
    edit.KeyDown({KDKey::Character, U'a', ssCtrl});
    edit.TypeText("880");
    EXPECT_DOUBLE_EQ(frequency(), 880.0);
    EXPECT_EQ(caption(), "--");
    EXPECT_EQ(gen->currentPreset(), -1);

    // A left click on the set slot recalls it, and the controls show the recalled values.
    withPresetMenu(*form, [](TPresetMenuForm& m) {
        EXPECT_TRUE(m.filled[1]);
        EXPECT_FALSE(m.filled[2]);
        leftClickSlot(m, 1);
    });
    EXPECT_DOUBLE_EQ(frequency(), 440.0);
    EXPECT_DOUBLE_EQ(edit.Value(), 440.0);
    EXPECT_EQ(caption(), "1");
    EXPECT_EQ(gen->currentPreset(), 0) << "the refresh after a recall is no edit";
}

TEST_F(PresetMenu, RecallingTheCurrentSlotAgainChangesNothing) {
    gen->storePreset(0);
    modified = 0;
    withPresetMenu(*form, [](TPresetMenuForm& m) { leftClickSlot(m, 1); });
    EXPECT_EQ(modified, 0);
    EXPECT_EQ(caption(), "1");
}

TEST_F(PresetMenu, CopyAndPasteBetweenKindsOfTheSameMaker) {
    gen->storePreset(0);
    withPresetMenu(*form, [](TPresetMenuForm& m) { chooseFromSlot(m, 1, m.CopyItem); });
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              "preset: TestGen { 0.5, 440, 1 }");

    VTContraption* other = preview->addEditor("TestGen", 210, 10);
    TContraptionForm& otherForm = formOf(*other);
    QStringList offered;
    withPresetMenu(otherForm, [&offered](TPresetMenuForm& m) {
        EXPECT_TRUE(m.pasteAvailable);
        chooseFromSlot(m, 3, m.PasteItem, &offered);
    });
    EXPECT_EQ(offered, QStringList({"Store", "Paste"})) << "an empty slot offers no more";
    EXPECT_EQ(slotText(*other, 2), "{ 0.5, 440, 1 }");
    EXPECT_EQ(otherForm.presetButton().control().Caption(), "--");

    VTContraption* flanger = preview->addEditor("Flanger", 10, 210);
    ASSERT_TRUE(flanger->formState().hasEditorWindow());
    offered.clear();
    withPresetMenu(formOf(*flanger), [&offered](TPresetMenuForm& m) {
        EXPECT_FALSE(m.pasteAvailable);
        chooseFromSlot(m, 1, nullptr, &offered);
        // Dismissing the context menu leaves the grid open.
        EXPECT_TRUE(m.isVisible());
        m.closeMenu();
    });
    EXPECT_EQ(offered, QStringList({"Store"}));
}

TEST_F(PresetMenu, CutEmptiesTheSlotAndClearForgetsTheCurrentOne) {
    gen->storePreset(0);
    gen->storePreset(1);
    withPresetMenu(*form, [](TPresetMenuForm& m) { chooseFromSlot(m, 1, m.CutItem); });
    EXPECT_FALSE(gen->isPresetSet(0));
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              "preset: TestGen { 0.5, 440, 1 }");
    EXPECT_EQ(caption(), "2");
    withPresetMenu(*form, [](TPresetMenuForm& m) { chooseFromSlot(m, 2, m.ClearItem); });
    EXPECT_FALSE(gen->isPresetSet(1));
    EXPECT_EQ(caption(), "--");
}

TEST_F(PresetMenu, LeftClickOnAnEmptyCellClosesAndRunsNothing) {
    modified = 0;
    withPresetMenu(*form, [](TPresetMenuForm& m) { leftClickSlot(m, 7); });
    TPresetMenuForm& menu = TPresetMenuForm::instance();
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(menu.action, TPresetMenuForm::None);
    EXPECT_EQ(menu.highlighted, 7);
    EXPECT_EQ(modified, 0);
    EXPECT_EQ(caption(), "--");
}

TEST_F(PresetMenu, RightClickOnTheMarginOpensNoMenu) {
    gen->storePreset(0);
    withPresetMenu(*form, [](TPresetMenuForm& m) {
        MoveHeld(&m, {2, 2}, Qt::NoButton);
        EXPECT_EQ(m.highlighted, -1);
        Press(&m, {2, 2}, Qt::RightButton);
        EXPECT_FALSE(m.contextMenuOpen());
        EXPECT_FALSE(m.PopupMenu.isVisible());
        EXPECT_TRUE(m.isVisible());
        // A press outside the menu closes it with no action.
        Press(&m, {-5, 10});
    });
    EXPECT_FALSE(TPresetMenuForm::instance().isVisible());
    EXPECT_EQ(TPresetMenuForm::instance().action, TPresetMenuForm::None);
    EXPECT_TRUE(gen->isPresetSet(0));
}

TEST_F(PresetMenu, OpensBelowTheButtonAndMovesToFitTheScreen) {
    QWidget& button = form->presetButton();
    const QPoint expected = button.mapToGlobal(QPoint(-1, button.height()));
    withPresetMenu(*form, [expected](TPresetMenuForm& m) {
        EXPECT_EQ(m.pos(), expected);
        m.closeMenu();
    });
    TPresetMenuForm& menu = TPresetMenuForm::instance();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    menu.open(screen.width() - 10, 40);
    EXPECT_EQ(menu.pos(), QPoint(screen.width() - menu.width(), 40));
    EXPECT_EQ(menu.action, TPresetMenuForm::None);
    menu.closeMenu();
}

}  // namespace
}  // namespace vantrel::test
