// A hosted plug-in's generic editor, over the test plug-in the host's own tests load.
#include <QLabel>
#include <QTableWidget>

#include "EditorFixture.h"
#include "PluginFixtures.h"
#include "editors/plugins/TVSTContraptionForm.h"

namespace vantrel::test {
namespace {

class VSTEditor : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ASSERT_TRUE(lib.loaded());
        c = maker.create({});
        ASSERT_NE(c, nullptr);
        c->showEditor();
        form = dynamic_cast<TVSTContraptionForm*>(c->formState().editorWindow());
        ASSERT_NE(form, nullptr) << "every plug-in gets the plug-in editor";
    }
    void TearDown() override {
        c.reset();
        EditorTest::TearDown();
    }
    QString cell(int row, int column) { return form->Grid().item(row, column)->text(); }
    VSTABI::Effect& effect() { return vstProcessor(*c).effect(); }

    FixtureLibrary lib{"Replacing"};
    VSTContraptionMaker maker{"Replacing", fixturePath("Replacing")};
    std::unique_ptr<VTContraption> c;
    TVSTContraptionForm* form = nullptr;
};

TEST_F(VSTEditor, TheGridListsEveryParameterAndRowZeroIsSelected) {
    ASSERT_EQ(form->Grid().rowCount(), 5);
    EXPECT_EQ(form->size(), QSize(250, 230)) << "250 x 210 and the header, on the grid";
    EXPECT_EQ(cell(0, 0), "Cutoff") << "names trimmed to 8";
    EXPECT_EQ(cell(4, 0), "AVeryLon");
    EXPECT_EQ(cell(0, 1), "0.2500000") << "the display, trimmed to 9";
    EXPECT_EQ(cell(1, 1), "0.5000000");
    EXPECT_EQ(cell(1, 2), "dB");
    EXPECT_EQ(form->selectedRow(), 0);
    EXPECT_EQ(form->NameCaption().text(), "Cutoff");
    EXPECT_EQ(form->ValueCaption().text(), "0.2500000");
    EXPECT_DOUBLE_EQ(form->Slider().Value(), 0.25);
}

TEST_F(VSTEditor, SelectingACellShowsItsRowAndTheSliderSetsThePluginDirectly) {
    form->Grid().setCurrentCell(3, 2);
    EXPECT_EQ(form->selectedRow(), 3);
    EXPECT_EQ(form->Grid().currentColumn(), 0) << "always the row's first column";
    EXPECT_EQ(form->NameCaption().text(), "Gain");
    EXPECT_DOUBLE_EQ(form->Slider().Value(), 0.75);

    const int before = lib.probe().setParameterCalls;
    form->SliderChanged(0.5);
    EXPECT_EQ(lib.probe().setParameterCalls, before + 1);
    EXPECT_EQ(lib.probe().lastSetIndex, 3);
    EXPECT_FLOAT_EQ(effect().getParameter(&effect(), 3), 0.5f);
    EXPECT_EQ(cell(3, 1), "0.5000000") << "the display is read again";
    EXPECT_EQ(form->ValueCaption().text(), "0.5000000");
    EXPECT_DOUBLE_EQ(vstProcessor(*c).parameter(3).value(), 0.75)
        << "the property hears of it only through the plug-in's automation";
}

TEST_F(VSTEditor, ARefreshedParameterReachesThePluginAtOnce) {
    SGDoubleProperty& gain = vstProcessor(*c).parameter(1);
    gain.setValue(0.125);
    form->selectRow(1);
    form->propertyChanged(1, true);
    EXPECT_FLOAT_EQ(effect().getParameter(&effect(), 1), 0.125f);
    EXPECT_FALSE(gain.testAndClearChanged()) << "pushed, so not pushed again at the next block";
    EXPECT_EQ(cell(1, 1), "0.1250000");
    EXPECT_DOUBLE_EQ(form->Slider().Value(), 0.125);

    // The second "Gain" is a parameter of its own, though the names are the same.
    SGDoubleProperty& second = vstProcessor(*c).parameter(3);
    second.setValue(0.0);
    form->propertyChanged(3, true);
    EXPECT_FLOAT_EQ(effect().getParameter(&effect(), 3), 0.0f);
    EXPECT_FLOAT_EQ(effect().getParameter(&effect(), 1), 0.125f);
    EXPECT_EQ(cell(3, 1), "0.0000000");
    EXPECT_DOUBLE_EQ(form->Slider().Value(), 0.125) << "row 1 is still the selected one";
}

TEST_F(VSTEditor, ARightPressOnARowOpensItsParameterMenu) {
    QWidget* viewport = form->Grid().viewport();
    const QRect row2 = form->Grid().visualItemRect(form->Grid().item(2, 0));
    Later([this] { form->parameterMenu().close(); });
    Press(viewport, row2.center(), Qt::RightButton);
    EXPECT_EQ(form->parameterMenuProperty(), 2);
}

}  // namespace
}  // namespace vantrel::test
