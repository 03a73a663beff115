#pragma once

#include <optional>

class QMainWindow;
class QScreen;
class VTSettingsStore;

// The main window's stored placement ("Main Window": "Maximized", "Left", "Top", "Width",
// "Height", "StatusBar") and the corrections that keep a restored window on the screen.
class VTWindowPlacement {
public:
    struct Rect {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        bool operator==(const Rect&) const = default;
    };

    // What the store holds; an absent group is `exists` false.
    struct Stored {
        bool exists = false;
        std::optional<int> left, top, width, height;
        std::optional<bool> maximized;
        std::optional<bool> statusBar;
    };

    // What to do with the window.
    struct Decision {
        bool setBounds = false;  // false on the first start: the window is only maximised
        Rect bounds;
        bool maximized = false;
        std::optional<bool> statusBar;  // none: leave the status bar as it is
        bool operator==(const Decision&) const = default;
    };

    static Stored read(const VTSettingsStore& store);
    static void write(VTSettingsStore& store, const Rect& normalBounds, bool maximized,
                      bool statusBar);

    // A size more than 10 pixels larger than the screen is cut to the screen; a left or top
    // beyond the screen centres the window on that axis. A group that lacks a value uses the
    // window's present one (`current`).
    static Decision decide(const Stored& stored, int screenWidth, int screenHeight,
                           const Rect& current);

    // Restores the window from the store on its screen (or the primary screen).
    static void restore(QMainWindow& window, const VTSettingsStore& store);
    // Stores the window's normal rectangle, whether it is maximised and whether its status bar
    // shows.
    static void store(const QMainWindow& window, VTSettingsStore& store);
    static void apply(QMainWindow& window, const Decision& decision);
};
