#include <gtest/gtest.h>

#include <QMainWindow>
#include <QStatusBar>

#include "ShellFixture.h"
#include "app/shell/VTWindowPlacement.h"
#include "platform/VTMemorySettingsStore.h"
#include "platform/VTSettingsKeys.h"

namespace {

using Placement = VTWindowPlacement;
using Rect = VTWindowPlacement::Rect;

Placement::Stored stored(int left, int top, int width, int height, bool maximized = false) {
    Placement::Stored s;
    s.exists = true;
    s.left = left;
    s.top = top;
    s.width = width;
    s.height = height;
    s.maximized = maximized;
    return s;
}

TEST(WindowPlacement, CorrectionsKeepTheWindowOnTheScreen) {
    struct Case {
        const char* name;
        Placement::Stored in;
        Rect expected;
    };
    const Rect current{10, 20, 640, 480};
    const Case cases[] = {
        {"fits as stored", stored(100, 50, 800, 600), {100, 50, 800, 600}},
        {"too wide is cut to the screen", stored(0, 0, 5000, 600), {0, 0, 1024, 600}},
        {"ten pixels too wide is kept", stored(0, 0, 1034, 600), {0, 0, 1034, 600}},
        {"eleven pixels too wide is cut", stored(0, 0, 1035, 600), {0, 0, 1024, 600}},
        {"too tall is cut", stored(0, 0, 800, 2000), {0, 0, 800, 768}},
        {"left beyond the screen centres", stored(3000, 40, 800, 600), {112, 40, 800, 600}},
        {"left at the screen's edge stays", stored(1024, 40, 800, 600), {1024, 40, 800, 600}},
        {"top beyond the screen centres", stored(40, 900, 800, 601), {40, 83, 800, 601}},
        {"centring after the cut", stored(3000, 3000, 5000, 5000), {0, 0, 1024, 768}},
        // (1024 − 1031) / 2 is −3.5, rounded toward zero.
        {"centring rounds toward zero", stored(2000, 0, 1031, 600), {-3, 0, 1031, 600}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto d = Placement::decide(c.in, 1024, 768, current);
        EXPECT_TRUE(d.setBounds);
        EXPECT_EQ(d.bounds, c.expected);
        EXPECT_FALSE(d.maximized);
    }
}

TEST(WindowPlacement, FirstStartMaximisesAndMissingValuesKeepTheWindowsOwn) {
    const Rect current{10, 20, 640, 480};
    const auto first = Placement::decide(Placement::Stored{}, 1024, 768, current);
    EXPECT_TRUE(first.maximized);
    EXPECT_FALSE(first.setBounds);
    EXPECT_FALSE(first.statusBar.has_value());

    Placement::Stored partial;
    partial.exists = true;
    partial.width = 700;
    const auto d = Placement::decide(partial, 1024, 768, current);
    EXPECT_EQ(d.bounds, (Rect{10, 20, 700, 480}));
    EXPECT_FALSE(d.maximized);

    // A hand-edited size of nothing would leave no window to find.
    const auto empty = Placement::decide(stored(0, 0, 0, -5), 1024, 768, current);
    EXPECT_EQ(empty.bounds, (Rect{0, 0, 640, 480}));
}

TEST(WindowPlacement, StoredValuesRoundTripThroughTheStore) {
    VTMemorySettingsStore store;
    EXPECT_FALSE(Placement::read(store).exists);
    Placement::write(store, Rect{12, 34, 567, 432}, true, false);
    const auto s = Placement::read(store);
    EXPECT_TRUE(s.exists);
    EXPECT_EQ(s.left, 12);
    EXPECT_EQ(s.top, 34);
    EXPECT_EQ(s.width, 567);
    EXPECT_EQ(s.height, 432);
    EXPECT_EQ(s.maximized, true);
    EXPECT_EQ(s.statusBar, false);
    for (const char* name : {"Maximized", "Left", "Top", "Width", "Height", "StatusBar"})
        EXPECT_TRUE(store.valueExists(VTSettingsKeys::MainWindow, name)) << name;
}

TEST(WindowPlacement, RestoreAndStoreOnAWindow) {
    VTMemorySettingsStore store;
    {
        QMainWindow first;
        first.statusBar();
        Placement::restore(first, store);
        EXPECT_TRUE(first.windowState() & Qt::WindowMaximized) << "first start";
    }
    Placement::write(store, Rect{40, 30, 500, 400}, false, false);
    QMainWindow window;
    window.statusBar()->show();
    Placement::restore(window, store);
    window.show();
    EXPECT_FALSE(window.isMaximized());
    EXPECT_EQ(window.geometry().size(), QSize(500, 400));
    EXPECT_FALSE(window.statusBar()->isVisibleTo(&window));

    window.statusBar()->show();
    window.setGeometry(60, 70, 520, 410);
    window.hide();  // stored when the window has gone, as at the end of the program
    VTMemorySettingsStore after;
    Placement::store(window, after);
    const auto s = Placement::read(after);
    EXPECT_EQ(s.width, 520);
    EXPECT_EQ(s.height, 410);
    EXPECT_EQ(s.maximized, false);
    EXPECT_EQ(s.statusBar, true);
}

}  // namespace
