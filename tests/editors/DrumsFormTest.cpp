// The drum sequencer's editor: files, volumes and mutes per row, the 32-step grid and the
// reframe buttons.
#include <QCheckBox>
#include <QPushButton>

#include "EditorFixture.h"
#include "editors/VTGateGrid.h"
#include "editors/VTSoundFileChooser.h"
#include "editors/sequencers/TDrumsForm.h"
#include "params/SGCStringProperty.h"

namespace vantrel::test {
namespace {

// The shared search directories pointed at a scratch folder with two samples.
class DrumsEditor : public KindFormTest {
protected:
    void SetUp() override {
        KindFormTest::SetUp();
        for (const char* name : {"kick.wav", "averyveryverylongdrumname.wav"}) folder.touch(name);
        form = &open<TDrumsForm>("Drums");
    }
    void TearDown() override {
        VTSoundFileChooser::setDialog(nullptr);
        KindFormTest::TearDown();
    }
    std::uint32_t gates(int row) {
        return std::uint32_t(std::int32_t(valueOf("Gates_" + std::to_string(row))));
    }

    ScratchSoundFolder folder{"drums"};
    const std::filesystem::path& dir = folder.path();
    TDrumsForm* form = nullptr;
};

TEST_F(DrumsEditor, FileCaptionsDropTheExtensionKeepTheLast16AndMarkMissingFiles) {
    struct Case {
        const char* stored;
        const char* shown;
    };
    for (const Case& k : {Case{"", "[ empty ]"}, Case{"kick.wav", "kick"},
                          Case{"averyveryverylongdrumname.wav", "...verylongdrumname"},
                          Case{"snare.wav", "snare !"}})
        EXPECT_EQ(TDrumsForm::fileCaption(k.stored), k.shown) << k.stored;
}

TEST_F(DrumsEditor, AFileButtonStoresTheChosenSampleAndShowsIt) {
    std::vector<std::string> asked;
    VTSoundFileChooser::setDialog([&](QWidget*, const std::string& initial) {
        asked.push_back(initial);
        return std::optional<std::string>((dir / "kick.wav").string());
    });
    EXPECT_EQ(form->FileButton(2).text(), "[ empty ]");
    c->storePreset(0);
    QTest::mouseClick(&form->FileButton(2), Qt::LeftButton);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].ends_with("/*.wav"));
    auto& file = static_cast<SGCStringProperty&>(property("File_2"));
    EXPECT_STREQ(file.text(), "kick.wav");
    EXPECT_TRUE(file.testAndClearChanged()) << "the processor loads it at its next block";
    EXPECT_EQ(form->FileButton(2).text(), "kick");
    EXPECT_EQ(c->currentPreset(), -1);

    file.setValue("gone.wav");
    form->propertyChanged(file, true);
    EXPECT_EQ(form->FileButton(2).text(), "gone !") << "rebuilt when refreshed";
}

TEST_F(DrumsEditor, GridCellsToggleTheRowsPatternAndReframeRotatesAllFive) {
    VTGateGrid& grid = form->Grid();
    ASSERT_EQ(grid.rows(), 5);
    ASSERT_EQ(grid.columns(), 32);
    EXPECT_EQ(grid.cellRect(0, 1).size(), QSize(11, 16));
    for (int r = 0; r < 5; ++r) setFromOutside(*form, "Gates_" + std::to_string(r), 0);

    Press(&grid, grid.cellRect(0, 0).center());
    Press(&grid, grid.cellRect(3, 31).center());
    EXPECT_EQ(gates(0), 1u);
    EXPECT_EQ(gates(3), 0x8000'0000u);
    EXPECT_TRUE(grid.isOn(3, 31));

    form->ReframeLeft();
    EXPECT_EQ(gates(0), 0x8000'0000u) << "bit 0 wraps to bit 31";
    EXPECT_EQ(gates(3), 0x4000'0000u);
    form->ReframeRight();
    form->ReframeRight();
    EXPECT_EQ(gates(0), 2u);
    EXPECT_EQ(gates(3), 1u) << "bit 31 wraps to bit 0";
}

TEST_F(DrumsEditor, KnobsAndSwitchesAreBoundToTheirRows) {
    EXPECT_EQ(form->Gate0And1CheckBox().text(), "Gate 1 && 2") << "shows as Gate 1 & 2";
    for (int r = 0; r < 5; ++r) {
        SCOPED_TRACE(r);
        const std::string k = std::to_string(r);
        setFromOutside(*form, "Volume_" + k, 0.3);
        EXPECT_DOUBLE_EQ(form->RowVolumeKnob(r).Value(), 0.3);
        QTest::mouseClick(&form->RowMuteCheckBox(r), Qt::LeftButton);
        EXPECT_EQ(valueOf("Mutes_" + k), 1.0);
    }
    QTest::mouseClick(&form->Gate0And1CheckBox(), Qt::LeftButton);
    EXPECT_EQ(valueOf("Gate0And1"), 1.0);
    setFromOutside(*form, "Volume", 0.9);
    EXPECT_DOUBLE_EQ(form->VolumeKnob().Value(), 0.9);
}

}  // namespace
}  // namespace vantrel::test
