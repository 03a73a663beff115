#include "app/shell/VTProgram.h"

#include <QMainWindow>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/gui/VTQtMessageBox.h"
#include "app/shell/VTApplication.h"
#include "app/shell/VTMainFormWindow.h"
#include "app/shell/VTStartupCommandLine.h"
#include "app/shell/VTStartupMainWindow.h"
#include "platform/VTIniSettingsStore.h"
#include "platform/VTProgramPaths.h"

namespace VTProgram {
namespace {

bool setIn(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}

// Takes "--screenshot FILE" (or "--screenshot=FILE") out of the arguments.
std::string takeScreenshotOption(std::vector<std::string>& args) {
    std::string file;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--screenshot" && i + 1 < args.size()) {
            file = args[i + 1];
            args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
            break;
        }
        if (args[i].rfind("--screenshot=", 0) == 0) {
            file = args[i].substr(std::strlen("--screenshot="));
            args.erase(args.begin() + static_cast<long>(i));
            break;
        }
    }
    return file;
}

// Unattended runs: every message goes to standard error with the safe answer, as when no box
// is installed, but the slot is taken so that no window installs a box of its own.
class VTStandardErrorMessageBox : public VTMessageBox {
public:
    VTMessageAnswer ask(const std::string& text, const std::string& caption,
                        VTMessageButtons buttons, VTMessageIcon icon) override {
        VTMessageBox::setCurrent(nullptr);
        const VTMessageAnswer answer = VTMessageBox::show(text, caption, buttons, icon);
        VTMessageBox::setCurrent(this);
        return answer;
    }
};

}  // namespace

bool hasDisplay() {
    return setIn("DISPLAY") || setIn("WAYLAND_DISPLAY") || setIn("QT_QPA_PLATFORM");
}

int run(int argc, char** argv, const VTStartup::MainWindowMaker& makeMainWindow) {
    std::vector<std::string> args(argv, argv + argc);
    const std::string screenshot = takeScreenshotOption(args);
    if (!hasDisplay()) {
        // Without a display a bad argument is still worth its message, as from a script.
        if (!VTStartupCommandLine::parse(args).error.empty()) {
            VTStartupCommandLine::parseAndReport(args);
            std::fputs("Try 'vantrel --help'.\n", stderr);
            return kBadArguments;
        }
        std::fprintf(stderr,
                     "Vantrel: there is no display to show the main window on (neither DISPLAY "
                     "nor WAYLAND_DISPLAY is set).\nA patch can be rendered without one: "
                     "%s --render PATCH.vtx OUT.wav\n",
                     argc > 0 ? argv[0] : "vantrel");
        return 1;
    }

    VTApplication app(argc, argv);
    // Qt has taken out the options that are its own ("-style", "-platform" ...).
    args.assign(argv, argv + argc);
    takeScreenshotOption(args);
    // A picture is taken unattended: messages go to standard error instead of waiting.
    VTQtMessageBox windowBox;
    VTStandardErrorMessageBox unattendedBox;
    VTMessageBox::setCurrent(screenshot.empty() ? static_cast<VTMessageBox*>(&windowBox)
                                                : &unattendedBox);
    VTIniSettingsStore settings;

    VTStartup::Options options;
    options.arguments = args;
    options.settings = &settings;
    options.programFile = VTProgramPaths::programFile();
    options.dataHome = VTProgramPaths::dataHome();
    if (!screenshot.empty()) {
        options.splashMs = -1;
        options.offerWelcome = false;
    }
    int code = 0;
    {
        VTStartup startup(std::move(options));
        startup.start(makeMainWindow ? makeMainWindow : VTMainFormWindow::maker());
        if (!screenshot.empty()) {
            QTimer::singleShot(300, &app, [&] {
                const bool saved =
                    startup.mainWindow()->window().grab().save(QString::fromStdString(screenshot));
                if (!saved) std::fprintf(stderr, "Vantrel: cannot write %s\n", screenshot.c_str());
                QApplication::exit(saved ? 0 : 1);
            });
        }
        code = app.exec();
        startup.shutDown();
    }
    VTMessageBox::setCurrent(nullptr);
    return code;
}

}  // namespace VTProgram
