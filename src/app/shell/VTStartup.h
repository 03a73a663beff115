#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/VTStartupRequest.h"

class KDAudioSystem;
class KDMidiDriver;
class TRealTimeEngine;
class VTAboutBox;
class VTHelpWindow;
class VTSettingsStore;
class VTSplashWindow;
class VTStartupMainWindow;

// Brings the program up and down in its fixed order. Up: the splash window, the makers, the
// real-time engine with its stored device settings, the help window, the document type
// registration and the sound-file search paths, the command line, the main window with its
// stored placement, the About box; then the command line's document and switches. Two
// seconds after the splash appeared it goes and the welcome window is offered. Down, after the
// message loop: the main window's shut-down, audio off, search paths and placement stored, the
// main window destroyed, then the engine, which stores its own settings.
class VTStartup {
public:
    struct Options {
        std::vector<std::string> arguments;  // as given to main, the program name first
        VTSettingsStore* settings = nullptr;  // required; not owned
        KDAudioSystem* audio = nullptr;       // none: the program's devices
        KDMidiDriver* midi = nullptr;         // none: RtMidi
        std::string helpDirectory;            // empty: the help folder beside the program
        // The document type is registered for this program below this data folder; an empty
        // program file registers nothing.
        std::string programFile;
        std::string dataHome;
        int splashMs = 2000;  // negative: no splash
        bool offerWelcome = true;
    };

    // What the main window is built with.
    struct Services {
        VTSettingsStore& settings;
        TRealTimeEngine& engine;
        VTHelpWindow& help;
    };
    using MainWindowMaker = std::function<std::unique_ptr<VTStartupMainWindow>(Services&)>;

    explicit VTStartup(Options options);
    ~VTStartup();  // shuts down when that has not been done
    VTStartup(const VTStartup&) = delete;
    VTStartup& operator=(const VTStartup&) = delete;

    void start(const MainWindowMaker& makeMainWindow);
    void shutDown();

    TRealTimeEngine& engine() const { return *engine_; }
    VTHelpWindow& help() const { return *help_; }
    VTAboutBox* about() const { return about_.get(); }
    VTStartupMainWindow* mainWindow() const { return main_.get(); }
    VTSplashWindow* splash() const { return splash_; }
    const VTStartupRequest& request() const { return request_; }
    // True when the chosen output device could not be opened at start and "Null Output"
    // plays instead for this run.
    bool playsOnNullOutput() const { return nullFallback_; }

private:
    void prepareServices();
    void applyRequest();
    void useNullOutputIfNeeded();
    void splashFinished();

    Options options_;
    std::unique_ptr<KDMidiDriver> ownMidi_;
    std::unique_ptr<TRealTimeEngine> engine_;
    std::unique_ptr<VTHelpWindow> help_;
    std::unique_ptr<VTStartupMainWindow> main_;
    std::unique_ptr<VTAboutBox> about_;
    VTSplashWindow* splash_ = nullptr;  // deletes itself when its time is over
    VTStartupRequest request_;
    bool nullFallback_ = false;
    int storedOutDevice_ = 0;
    int storedInDevice_ = 0;
    bool down_ = false;
};
