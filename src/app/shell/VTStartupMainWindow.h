#pragma once

#include <functional>
#include <string>

class QMainWindow;

// What the start-up needs of the main window: the window itself (its placement is restored
// and stored around it), the reactions to the command line, and a place for the About box.
class VTStartupMainWindow {
public:
    virtual ~VTStartupMainWindow() = default;

    virtual QMainWindow& window() = 0;
    // Opens a document as File Open would, after asking about the present one.
    virtual void openPath(const std::string& path) = 0;
    // The Enable Audio and Play From Start commands.
    virtual void enableAudio() = 0;
    virtual void playFromStart() = 0;
    // The Help menu's About item calls this.
    virtual void setAboutHandler(std::function<void()> handler) = 0;
    // Called once the message loop has ended, before the window is destroyed: the document
    // goes, and the window's own layout is stored.
    virtual void shutDown() {}
};
