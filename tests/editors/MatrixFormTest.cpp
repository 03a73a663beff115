// The routing matrices' editor: a grid cell per inlet and outlet pair switches that gate.
#include <QLabel>

#include "EditorFixture.h"
#include "editors/VTGateGrid.h"
#include "editors/matrices/TFMatrixForm.h"

namespace vantrel::test {
namespace {

using MatrixEditor = KindFormTest;

std::string gateName(int inlet, int outlet) {
    return "Gate" + std::to_string(inlet) + "_" + std::to_string(outlet);
}

TEST_F(MatrixEditor, APressOnACellSwitchesThatGateOnly) {
    for (auto [maker, n] : {std::pair{"4x4Matrix", 4}, std::pair{"8x8Matrix", 8}}) {
        SCOPED_TRACE(maker);
        auto& form = open<TFMatrixForm>(maker);
        ASSERT_EQ(form.size(), n);
        VTGateGrid& grid = form.Grid();
        EXPECT_EQ(grid.width(), n * 17 + 1);
        const int r = n - 1, col = 1;
        const bool before = valueOf(gateName(r, col)) != 0.0;
        c->storePreset(0);
        Press(&grid, grid.cellRect(r, col).center());
        EXPECT_EQ(valueOf(gateName(r, col)) != 0.0, !before) << "row is the inlet";
        EXPECT_EQ(valueOf(gateName(col, r)) != 0.0, col == r ? !before : false);
        EXPECT_EQ(grid.isOn(r, col), !before);
        EXPECT_EQ(c->currentPreset(), -1);
        Press(&grid, grid.cellRect(r, col).center());
        EXPECT_EQ(valueOf(gateName(r, col)) != 0.0, before) << "a second press switches back";

        Press(&grid, {0, 0});  // on the outer grid line: no cell
        for (int i = 0; i < n; ++i)
            for (int o = 0; o < n; ++o) EXPECT_EQ(valueOf(gateName(i, o)), 0.0) << i << "," << o;
        preview->clear();
    }
}

TEST_F(MatrixEditor, SpaceSwitchesTheSelectedCellWhichTheArrowsMove) {
    auto& form = open<TFMatrixForm>("4x4Matrix");
    VTGateGrid& grid = form.Grid();
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Right);
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Space);
    EXPECT_EQ(valueOf(gateName(2, 1)), 1.0);
    for (int k = 0; k < 6; ++k) QTest::keyClick(&grid, Qt::Key_Left);
    EXPECT_EQ(grid.selectedColumn(), 0) << "the selection stops at the edge";
    QTest::keyClick(&grid, Qt::Key_Space);
    EXPECT_EQ(valueOf(gateName(2, 0)), 1.0);
}

TEST_F(MatrixEditor, GatesAndFadeTimeFollowTheProcessor) {
    auto& form = open<TFMatrixForm>("8x8Matrix");
    setFromOutside(form, gateName(5, 6), 1.0);
    EXPECT_TRUE(form.Grid().isOn(5, 6));
    EXPECT_FALSE(form.Grid().isOn(6, 5));
    EXPECT_DOUBLE_EQ(form.FadeTimeEdit().Max(), 100000.0);
    setFromOutside(form, "FadeTime", 250.0);
    EXPECT_DOUBLE_EQ(form.FadeTimeEdit().Value(), 250.0);
    KDNumberEdit& edit = form.FadeTimeEdit();
    edit.KeyDown({KDKey::Up, 0, ssNone});
    EXPECT_DOUBLE_EQ(valueOf("FadeTime"), 251.0) << "steps by 1";

    QStringList labels;
    for (QLabel* l : form.clientArea()->findChildren<QLabel*>()) labels << l->text();
    for (const char* text : {"In:", "out:", "Fade time (ms):", "8"})
        EXPECT_TRUE(labels.contains(text)) << text;
}

}  // namespace
}  // namespace vantrel::test
