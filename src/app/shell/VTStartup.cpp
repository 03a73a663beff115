#include "app/shell/VTStartup.h"

// Before any Qt header: the pool has a member named "signals", which Qt defines as a word of its own.
#include "audio/VTIOContraptionPool.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "app/shell/VTAboutBox.h"
#include "app/shell/VTHelpWindow.h"
#include "app/shell/VTSplashWindow.h"
#include "app/shell/VTStartupCommandLine.h"
#include "app/shell/VTStartupMainWindow.h"
#include "app/shell/VTWelcomeWindow.h"
#include "app/shell/VTWindowPlacement.h"
#include "audio/EWaveError.h"
#include "audio/TRealTimeEngine.h"
#include "control/VTMidiControlServer.h"
#include "control/VTMidiControllerFactory.h"
#include "makers/VTPluginMakers.h"
#include "platform/VTDocumentTypeRegistration.h"
#include "platform/VTHelpViewer.h"
#include "platform/VTSettingsStore.h"
#include "platform/audio/KDAudioSystem.h"
#include "platform/midi/KDRtMidiDriver.h"
#include "wave/SharedSoundFilePaths.h"

namespace {

constexpr const char* kNullOutput = "Null Output";
constexpr const char* kNullInput = "Null Input";

int indexOf(const std::vector<std::string>& names, const char* name) {
    auto it = std::find(names.begin(), names.end(), name);
    return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

}  // namespace

VTStartup::VTStartup(Options options) : options_(std::move(options)) {}

VTStartup::~VTStartup() { shutDown(); }

void VTStartup::start(const MainWindowMaker& makeMainWindow) {
    if (options_.splashMs >= 0) {
        splash_ = new VTSplashWindow;
        splash_->setAttribute(Qt::WA_DeleteOnClose);
        splash_->setAttribute(Qt::WA_QuitOnClose, false);
        QObject::connect(splash_, &VTSplashWindow::finished, splash_, [this] { splashFinished(); });
        splash_->start(options_.splashMs);
        // Painted now: the rest of the start-up keeps the loop busy.
        QApplication::processEvents();
    }
    prepareServices();

    // The command line is read before the window exists, so its message comes first.
    request_ = VTStartupCommandLine::parseAndReport(options_.arguments);

    Services services{*options_.settings, *engine_, *help_};
    main_ = makeMainWindow(services);
    QMainWindow& window = main_->window();
    about_ = std::make_unique<VTAboutBox>(&window);
    main_->setAboutHandler([about = about_.get()] { about->exec(); });

    VTWindowPlacement::restore(window, *options_.settings);
    window.show();
    applyRequest();

    if (options_.splashMs < 0 && options_.offerWelcome)
        QTimer::singleShot(0, &window, [this] { splashFinished(); });
}

void VTStartup::prepareServices() {
    // Every kind, plug-ins included, before the engine or a document can look for them.
    registerPluginMakers();
    VTMidiControllerFactory::install();

    if (!options_.midi) {
        ownMidi_ = std::make_unique<KDRtMidiDriver>();
        options_.midi = ownMidi_.get();
    }
    KDAudioSystem& audio = options_.audio ? *options_.audio : KDAudioSystem::Default();
    engine_ = std::make_unique<TRealTimeEngine>(audio, VTIOContraptionPool::instance(),
                                                *options_.settings, *options_.midi,
                                                VTMidiControlServer::global());

    help_ = std::make_unique<VTHelpWindow>(options_.helpDirectory);
    // The help window is a companion: closing the main window ends the program even while it
    // is open.
    help_->setAttribute(Qt::WA_QuitOnClose, false);
    VTHelpViewer::setCurrent(help_.get());

    if (!options_.programFile.empty())
        VTDocumentTypeRegistration::registerDocumentType(options_.programFile, options_.dataHome);
    sharedSoundFilePaths().loadSearchPaths(*options_.settings);
}

void VTStartup::applyRequest() {
    // Without a document the switches have nothing to play.
    if (!request_.path) return;
    main_->openPath(*request_.path);
    if (request_.startDacs) {
        useNullOutputIfNeeded();
        main_->enableAudio();
    }
    if (request_.startClock) main_->playFromStart();
}

// A document started from the command line should be heard, or at least run, on a machine
// whose sound device cannot be opened (none, or one held by another program): the first start
// is tried here, and when the output fails the silent "Null Output" takes its place for this
// run. The user's choice is put back before the engine stores its settings.
void VTStartup::useNullOutputIfNeeded() {
    TRealTimeEngine& engine = *engine_;
    if (engine.IsAudioRunning()) return;
    try {
        engine.StartAudio();
        engine.StopAudio();
        return;
    } catch (const EWaveError& e) {
        const int nullOut = indexOf(engine.WaveStream().OutputDeviceNames(), kNullOutput);
        if (nullOut < 0) return;
        std::fprintf(stderr, "Vantrel: %s; playing on \"%s\" instead.\n", e.what(), kNullOutput);
        storedOutDevice_ = engine.OutDevice(0);
        storedInDevice_ = engine.InDevice(0);
        engine.SetOutDevice(0, nullOut);
        const int nullIn = indexOf(engine.WaveStream().InputDeviceNames(), kNullInput);
        if (nullIn >= 0 && engine.InDevice(0) != 0) engine.SetInDevice(0, nullIn);
        nullFallback_ = true;
    }
}

void VTStartup::splashFinished() {
    if (splash_) {
        splash_->close();  // deletes it
        splash_ = nullptr;
    }
    if (options_.offerWelcome && main_)
        VTWelcomeWindow::offer(*options_.settings, &main_->window());
}

void VTStartup::shutDown() {
    if (down_) return;
    down_ = true;
    if (splash_) {
        delete splash_;
        splash_ = nullptr;
    }
    if (main_) {
        main_->shutDown();
        VTWindowPlacement::store(main_->window(), *options_.settings);
    }
    if (engine_) engine_->StopAudio();
    if (options_.settings) sharedSoundFilePaths().saveSearchPaths(*options_.settings);
    about_.reset();
    main_.reset();
    if (VTHelpViewer::current() == help_.get()) VTHelpViewer::setCurrent(nullptr);
    help_.reset();
    if (engine_ && nullFallback_) {
        engine_->SetOutDevice(0, storedOutDevice_);
        engine_->SetInDevice(0, storedInDevice_);
    }
    engine_.reset();
    if (options_.settings) options_.settings->flush();
}
