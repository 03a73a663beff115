// The meter toolbars, their pop-ups, docking and the stored "Meters" and "Toolbars" layout.
#include <QLabel>
#include <QToolBar>

#include "GuiFixture.h"
#include "app/gui/TMeterToolBar.h"
#include "platform/VTSettingsKeys.h"

namespace vantrel::test {
namespace {

using Dock = TMainForm::ToolDock;

TEST_F(MainFormTest, OnlyTheMainMetersShowAtFirstWithTheirCaptionsAndHints) {
    make();
    TMeterToolBar& in = form->InputMeters();
    EXPECT_EQ(in.ShownMask(), 1);
    EXPECT_EQ(form->OutputMeters().ShownMask(), 1);
    EXPECT_EQ(in.Meter(0).Caption(), "SoundIn");
    EXPECT_EQ(in.Meter(7).Caption(), "AuxIn7");
    EXPECT_EQ(form->OutputMeters().Meter(3).Caption(), "AuxOut3");
    EXPECT_EQ(in.MeterWidget(0).toolTip(), "SoundIn Levels");
    EXPECT_EQ(in.Meter(0).SegmentCount(), 14);
    EXPECT_EQ(in.Meter(0).ChannelCount(), 2);
    EXPECT_EQ(in.Meter(0).Orientation(), trHorizontal);
    EXPECT_EQ(in.MeterWidget(0).size(), QSize(77, 22));
}

TEST_F(MainFormTest, StoredMetersFiveShowSoundInAndAuxIn2) {
    settings.writeInteger(VTSettingsKeys::Meters, "InputMeters", 5);
    make();
    for (int i = 0; i < 8; ++i) EXPECT_EQ(form->InputMeters().MeterShown(i), i == 0 || i == 2) << i;
    EXPECT_EQ(form->OutputMeters().ShownMask(), 1) << "a missing value keeps the default";
}

TEST_F(MainFormTest, TheMeterPopupTicksShownMetersAndTogglesThem) {
    make();
    QMenu& popup = form->InputMeters().Popup();
    ASSERT_EQ(popup.actions().size(), 8);
    EXPECT_EQ(popup.actions()[1]->text(), "AuxIn1");
    popup.popup({0, 0});
    EXPECT_TRUE(popup.actions()[0]->isChecked());
    EXPECT_FALSE(popup.actions()[1]->isChecked());
    popup.actions()[1]->trigger();
    popup.actions()[0]->trigger();
    popup.hide();
    EXPECT_EQ(form->InputMeters().ShownMask(), 2);
    popup.popup({0, 0});
    EXPECT_FALSE(popup.actions()[0]->isChecked());
    EXPECT_TRUE(popup.actions()[1]->isChecked());
    popup.hide();
}

TEST_F(MainFormTest, MetersStandAtTheSidesAndLieAtTopAndBottom) {
    make();
    TMeterToolBar& in = form->InputMeters();
    struct Case {
        Dock dock;
        bool vertical;
    };
    for (const Case c : {Case{Dock::Right, true}, Case{Dock::Top, false}, Case{Dock::Left, true},
                         Case{Dock::Bottom, false}}) {
        form->DockToolbar(&in, c.dock);
        EXPECT_EQ(form->DockOf(&in), c.dock);
        EXPECT_EQ(in.Vertical(), c.vertical);
        EXPECT_EQ(in.MeterWidget(0).size(), c.vertical ? QSize(22, 77) : QSize(77, 22));
        EXPECT_EQ(in.Meter(0).Orientation(), c.vertical ? trVertical : trHorizontal);
    }
}

TEST_F(MainFormTest, TheTransportToolbarDropsItsTempoPartsAtTheSides) {
    make();
    QToolBar& transport = form->TransportToolbar();
    form->DockToolbar(&transport, Dock::Right);
    settle();
    EXPECT_FALSE(form->TempoWidget().isVisible());
    EXPECT_FALSE(form->Timecode().isVisible());
    EXPECT_TRUE(form->ButtonAction("Play")->isVisible());
    form->DockToolbar(&transport, Dock::Bottom);
    settle();
    EXPECT_TRUE(form->TempoWidget().isVisible());
    EXPECT_TRUE(form->Timecode().isVisible());
}

TEST_F(MainFormTest, TheLayoutIsStoredAndRestored) {
    make();
    form->InputMeters().SetShownMask(0x81);
    form->OutputMeters().SetShownMask(0x06);
    form->DockToolbar(&form->InputMeters(), Dock::Left);
    form->DockToolbar(&form->StandardToolbar(), Dock::Bottom);
    form->TransportToolbar().hide();
    form.reset();
    EXPECT_EQ(settings.readInteger(VTSettingsKeys::Meters, "InputMeters"), 0x81);
    EXPECT_EQ(settings.readInteger(VTSettingsKeys::Meters, "OutputMeters"), 0x06);
    EXPECT_TRUE(settings.keyExists(VTSettingsKeys::Toolbars));

    make();
    EXPECT_EQ(form->InputMeters().ShownMask(), 0x81);
    EXPECT_EQ(form->OutputMeters().ShownMask(), 0x06);
    EXPECT_EQ(form->DockOf(&form->InputMeters()), Dock::Left);
    EXPECT_TRUE(form->InputMeters().Vertical());
    EXPECT_EQ(form->DockOf(&form->StandardToolbar()), Dock::Bottom);
    EXPECT_TRUE(form->TransportToolbar().isHidden());
}

TEST_F(MainFormTest, DamagedToolbarSettingsKeepTheBuiltInLayout) {
    settings.writeBinary(VTSettingsKeys::Toolbars, "State", {1, 2, 3, 4, 5});
    settings.writeString(VTSettingsKeys::Toolbars, "LeftDock", "Nothing,At All");
    make();
    EXPECT_EQ(form->DockOf(&form->StandardToolbar()), Dock::Top);
    EXPECT_EQ(form->DockOf(&form->InputMeters()), Dock::Top);
    EXPECT_FALSE(form->StandardToolbar().isHidden());
}

}  // namespace
}  // namespace vantrel::test

namespace vantrel::test {
namespace {

TEST_F(MainFormTest, TheToolbarPopupDocksTheTransportInThePatcherPane) {
    make();
    QToolBar& transport = form->TransportToolbar();
    QMenu& menu = form->DockMenu(&transport);
    ASSERT_EQ(menu.actions().size(), 4);
    EXPECT_EQ(menu.actions()[3]->text(), "Dock in Patcher Pane");
    menu.actions()[3]->trigger();
    settle();
    EXPECT_EQ(form->DockOf(&transport), TMainForm::ToolDock::Left);
    EXPECT_TRUE(form->PatcherPane().isAncestorOf(&transport));
    EXPECT_FALSE(form->TempoWidget().isVisible());
    menu.popup({0, 0});
    EXPECT_TRUE(menu.actions()[3]->isChecked());
    menu.hide();
    menu.actions()[0]->trigger();
    EXPECT_EQ(form->DockOf(&transport), TMainForm::ToolDock::Top);
}

}  // namespace
}  // namespace vantrel::test
