#pragma once

// Opens a topic of the program's help by its number. The user interface installs the viewer at
// start-up; without one (tests, the command line) a help request does nothing.
class VTHelpViewer {
public:
    virtual ~VTHelpViewer() = default;
    virtual void showTopic(int topic) = 0;

    // Not owned; nullptr removes the viewer.
    static void setCurrent(VTHelpViewer* viewer) { slot() = viewer; }
    static VTHelpViewer* current() { return slot(); }

    // Shows the topic in the installed viewer, if there is one.
    static void show(int topic) {
        if (VTHelpViewer* viewer = current()) viewer->showTopic(topic);
    }

private:
    static VTHelpViewer*& slot() {
        static VTHelpViewer* viewer = nullptr;
        return viewer;
    }
};
