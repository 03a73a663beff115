// The menus and toolbars as the user sees them: captions, shortcuts, separators, hints.
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "GuiFixture.h"

namespace vantrel::test {
namespace {

// "-" stands for a separator; a caption ending in ">" for a submenu.
std::vector<std::string> layoutOf(const QMenu& menu) {
    std::vector<std::string> items;
    for (QAction* a : menu.actions()) {
        if (a->isSeparator()) {
            items.push_back("-");
            continue;
        }
        std::string item = a->text().toStdString();
        if (a->menu()) item += " >";
        if (!a->shortcut().isEmpty()) item += " [" + a->shortcut().toString().toStdString() + "]";
        items.push_back(item);
    }
    return items;
}

TEST_F(MainFormTest, MenusHoldEveryCommandWithItsShortcutAndSeparators) {
    make();
    std::vector<std::string> bar;
    for (QAction* a : form->menuBar()->actions()) bar.push_back(a->text().toStdString());
    EXPECT_EQ(bar, (std::vector<std::string>{"&File", "&Edit", "&View", "&Control", "&Help"}));

    struct Case {
        QMenu* menu;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {&form->FileMenu(),
         {"&New [Ctrl+N]", "&Open... [Ctrl+O]", "&Reopen >", "Revert", "-", "&Save [Ctrl+S]",
          "Save &As...", "-", "&Export as Wave File... [Ctrl+E]", "-", "E&xit"}},
        {&form->EditMenu(),
         {"&Undo [Ctrl+Z]", "&Redo [Ctrl+Y]", "-", "Cu&t [Ctrl+X]", "&Copy [Ctrl+C]",
          "&Paste [Ctrl+V]", "-", "Cle&ar [Del]", "Select A&ll [Ctrl+A]", "-",
          "&Settings... [F4]"}},
        {&form->ViewMenu(),
         {"&Toolbars >", "&Status Bar", "-", "&Patcher Pane", "P&roperties Pane", "-",
          "&Volume Control"}},
        {&form->ControlMenu(),
         {"Enable &Audio", "Enable &MIDI Controllers", "-", "Parameter Mo&dulation... [F3]", "-",
          "&Play", "&Stop", "&Loop", "-", "&Chase Sync", "&Generate Sync"}},
        {&form->HelpMenu(), {"&Help Topics", "-", "&About Vantrel"}},
        {&form->ToolbarsMenu(), {"Standard", "Transport", "Input Meters", "Output Meters"}},
    };
    for (const Case& c : cases) EXPECT_EQ(layoutOf(*c.menu), c.items);
}

TEST_F(MainFormTest, ToolbarsHoldTheirButtonsInOrderAndDisabledOnesStayDisabled) {
    make();
    auto hints = [](QToolBar& tb) {
        std::vector<std::string> out;
        for (QAction* a : tb.actions()) {
            if (a->isSeparator())
                out.push_back("|");
            else if (!a->toolTip().isEmpty())
                out.push_back(a->toolTip().toStdString());
        }
        return out;
    };
    EXPECT_EQ(hints(form->StandardToolbar()),
              (std::vector<std::string>{"New", "Open", "Save", "|", "Cut", "Copy", "Paste", "|",
                                        "Undo", "Redo"}));
    const auto transport = hints(form->TransportToolbar());
    const std::vector<std::string> first(transport.begin(), transport.begin() + 10);
    EXPECT_EQ(first, (std::vector<std::string>{"Play From Start", "Play", "Stop", "Record", "|",
                                               "Go to Start", "Go to End", "|", "Loop", "|"}));
    EXPECT_EQ(transport.back(), "Enable Audio");
    form->UpdateEditControls();
    for (const char* off : {"Undo", "Redo", "Record", "Go to End", "Loop"})
        EXPECT_FALSE(form->ButtonAction(off)->isEnabled()) << off;
    EXPECT_FALSE(form->MenuAction("&Generate Sync")->isEnabled());
    EXPECT_EQ(form->TempoEdit().Text(), "120.0");
    EXPECT_EQ(form->TempoWidget().toolTip(), "Tempo");
    EXPECT_EQ(form->Timecode().text(), QString::fromUtf8("000 \u00B7 0"));
}

TEST_F(MainFormTest, MenuItemsCallTheSecondaryWindowsAndTheAboutHandler) {
    struct Windows : VTSecondaryWindows {
        void ShowExport() override { calls += "export "; }
        void ShowSettings() override { calls += "settings "; }
        void ShowModulation() override { calls += "modulation "; }
        std::string calls;
    } windows;
    make();
    form->SetSecondaryWindows(&windows);
    int about = 0;
    form->SetAboutHandler([&] { ++about; });
    form->MenuAction("&Export as Wave File...")->trigger();
    form->MenuAction("&Settings...")->trigger();
    form->MenuAction("Parameter Mo&dulation...")->trigger();
    form->MenuAction("&About Vantrel")->trigger();
    EXPECT_EQ(windows.calls, "export settings modulation ");
    EXPECT_EQ(about, 1);
}

TEST_F(MainFormTest, VolumeControlIsDisabledWithoutAMixerCommand) {
    make();
    form->UpdateViewMenu();
    EXPECT_FALSE(form->MenuAction("&Volume Control")->isEnabled());
    form.reset();
    volumeCommand = std::vector<std::string>{"/bin/true"};
    make();
    form->UpdateViewMenu();
    EXPECT_TRUE(form->MenuAction("&Volume Control")->isEnabled());
}

TEST_F(MainFormTest, StatusBarAndToolbarItemsTickWhatIsShown) {
    make();
    QAction* status = form->MenuAction("&Status Bar");
    status->trigger();
    EXPECT_TRUE(form->statusBar()->isHidden());
    form->UpdateViewMenu();
    EXPECT_FALSE(status->isChecked());
    QAction* transport = form->ToolbarsMenu().actions().at(1);
    EXPECT_TRUE(transport->isChecked());
    transport->trigger();
    EXPECT_TRUE(form->TransportToolbar().isHidden());
    EXPECT_FALSE(transport->isChecked());
}

}  // namespace
}  // namespace vantrel::test

namespace vantrel::test {
namespace {

TEST_F(MainFormTest, ASecondMainWindowIsRefusedAndLeavesTheFirstWorking) {
    make();
    FakeEngine other;
    EXPECT_THROW(TMainForm(other, settings, TMainForm::Options()), std::logic_error);
    EXPECT_EQ(VTMessageBox::current(), &box);
    EXPECT_NE(addFromMenu("TestGen", 10, 10), nullptr);
}

}  // namespace
}  // namespace vantrel::test
