#include "app/gui/TMainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "app/gui/BraskDocAppData.h"
#include "app/gui/BraskDocDialogs.h"
#include "app/gui/TMeterToolBar.h"
#include "app/gui/TStatusLoadPanel.h"
#include "app/gui/VTQtMessageBox.h"
#include "audio/VTIOContraptionPool.h"
#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionFactory.h"
#include "contraptions/VTContraptionMaker.h"
#include "control/VTTransport.h"
#include "document/VTDocument.h"
#include "editors/TContraptionForm.h"
#include "editors/VTPropertiesPane.h"
#include "editors/VTQtEditorFactory.h"
#include "editors/io/VTDeviceUse.h"
#include "library/plugins/VSTContraptionMaker.h"
#include "library/plugins/VSTPluginFolder.h"
#include "makers/VTPluginMakers.h"
#include "platform/KDTextClipboard.h"
#include "platform/VTHelpViewer.h"
#include "platform/VTMessageBox.h"
#include "platform/VTSettingsKeys.h"
#include "platform/VTSettingsStore.h"
#include "platform/VTVolumeControl.h"
#include "ui/KDPatcherNode.h"
#include "ui/KDPatcherPanel.h"
#include "ui/qt/KDQtBrickTile.h"
#include "ui/qt/KDQtControlWidget.h"
#include "ui/qt/KDQtPatcherWidget.h"
#include "ui/qt/KDQtWinSplit.h"
#include "wave/SharedSoundFilePaths.h"
#include "wave/SoundFilePaths.h"

namespace {

constexpr const char* kCaption = "Vantrel";
constexpr const char* kAudioStartError = "An error occurred while starting real-time audio.";
constexpr int kSplitWidth = 3;
constexpr int kPaneMargin = 30;
constexpr const char* kInputMetersValue = "InputMeters";
constexpr const char* kOutputMetersValue = "OutputMeters";
constexpr const char* kStateValue = "State";
constexpr const char* kLeftStateValue = "LeftState";
constexpr const char* kLeftDockValue = "LeftDock";

const Qt::ToolBarAreas kOuterAreas =
    Qt::TopToolBarArea | Qt::BottomToolBarArea | Qt::RightToolBarArea;

QByteArray toBytes(const std::vector<std::uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

// A small picture for a button without a standard icon, so every button is as narrow as the
// others: a glyph drawn in the button text colour.
QIcon glyphIcon(const QString& glyph, const QPalette& palette) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    QFont font = p.font();
    font.setPixelSize(14);
    p.setFont(font);
    p.setPen(palette.color(QPalette::ButtonText));
    p.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
    return QIcon(pixmap);
}

std::vector<std::uint8_t> fromBytes(const QByteArray& b) {
    return std::vector<std::uint8_t>(b.begin(), b.end());
}

// A contraption of the patch whose panel node is gone would be a dangling pointer; every
// look-up of a node's contraption goes through the view.
VTContraption* contraptionOf(KDPatcherNode* node) { return VTPatchView::ContraptionOf(node); }

}  // namespace

struct TMainForm::Actions {
    QAction *fileNew, *fileOpen, *fileRevert, *fileSave, *fileSaveAs, *fileExport, *fileExit;
    QAction *editUndo, *editRedo, *editCut, *editCopy, *editPaste, *editClear, *editSelectAll,
        *editSettings;
    QAction *viewStatusBar, *viewPatcher, *viewProperties, *viewVolume;
    QAction *ctlAudio, *ctlMidi, *ctlModulation, *ctlPlay, *ctlStop, *ctlLoop, *ctlChase,
        *ctlGenerate;
    QAction *helpTopics, *helpAbout, *helpKey;
    QAction *btnUndo, *btnPlayFromStart, *btnPlay, *btnRecord, *btnGoToStart, *btnGoToEnd;
    QAction *popupEdit, *popupHelp, *popupDelete;
};

TMainForm::TMainForm(VTMainEngine& engine, VTSettingsStore& settings)
    : TMainForm(engine, settings, Options()) {}

TMainForm::TMainForm(VTMainEngine& engine, VTSettingsStore& settings, Options options)
    : engine_(engine),
      settings_(settings),
      volumeCommand_(std::move(options.volumeCommand)),
      reload_(settings) {
    resize(706, 396);
    setWindowTitle(kCaption);
    // First, so that a refused second window leaves nothing installed behind it.
    auto dialogs =
        options.dialogs ? std::move(options.dialogs) : std::make_unique<BraskDocDialogs>(this);
    document_ = VTDocument::Create(std::make_unique<BraskDocAppData>(*this), std::move(dialogs));
    if (!document_) throw std::logic_error("the program has one main window and one document");
    if (!VTMessageBox::current()) {
        ownMessageBox_ = std::make_unique<VTQtMessageBox>(this);
        VTMessageBox::setCurrent(ownMessageBox_.get());
    }
    KDTextClipboard::install(&qtClipboard_);
    // The sound input's editor switching between its device and a file.
    VTDeviceUse::setListener([this] { UpdateDeviceUse(); });
    const VSTPluginFolder& plugins = options.plugins ? *options.plugins : registerPluginMakers();

    BuildPanes();
    BuildActions();
    BuildMenus();
    BuildToolbars();
    BuildStatusBar();

    engine_.SetSignalContext(&document_->Context());
    view_ = std::make_unique<VTPatchView>(Patcher());
    view_->SetDocument(document_.get());
    clipboard_ = std::make_unique<VTPatchClipboard>(*view_);
    ConnectPatcher();
    sharedSoundFilePaths().loadSearchPaths(settings_);

    RestoreLayout();
    connect(qApp, &QApplication::focusChanged, this, [this] { UpdateEditControls(); });
    BuildPatcherPopup(plugins);

    // Ctrl+S and the Save button follow every change of the document, not only the moments
    // the File menu opens: an edit in an editor window tells the window nothing.
    fileStateTimer_.setInterval(250);
    connect(&fileStateTimer_, &QTimer::timeout, this, [this] { UpdateFileCommandState(); });
    fileStateTimer_.start();
    cpuTimer_.setInterval(1000);
    meterTimer_.setInterval(50);
    connect(&cpuTimer_, &QTimer::timeout, this, [this] { CpuLoadTick(); });
    connect(&meterTimer_, &QTimer::timeout, this, [this] { MeterAndClockTick(); });

    UpdateCaption();
    RebuildPatcher();
    UpdateTransportControls();
    UpdateEditControls();
    UpdateFileCommandState();
}

TMainForm::~TMainForm() {
    // The focus notice and the children's signals would otherwise reach this window while
    // its base class takes the children down.
    QObject::disconnect(qApp, nullptr, this, nullptr);
    for (QObject* child : findChildren<QObject*>())
        QObject::disconnect(child, nullptr, this, nullptr);
    if (!layoutStored_) StoreLayout();
    cpuTimer_.stop();
    meterTimer_.stop();
    fileStateTimer_.stop();
    if (document_) {
        engine_.StopAudio();
        DestroyDocument();
    }
    editorFactory_.reset();
    VTDeviceUse::setListener(nullptr);
    if (&KDTextClipboard::current() == &qtClipboard_) KDTextClipboard::install(nullptr);
    if (ownMessageBox_ && VTMessageBox::current() == ownMessageBox_.get())
        VTMessageBox::setCurrent(nullptr);
}

KDPatcherPanel& TMainForm::Patcher() const { return patcher_->Panel(); }

// ---- building ---------------------------------------------------------------------------------

void TMainForm::BuildPanes() {
    // The panes are placed by hand, as their alignment says, so that a wide patcher pane never
    // keeps the window from shrinking: the resize rule narrows it instead.
    client_ = new QWidget(this);
    setCentralWidget(client_);

    // The patcher pane is a main window of its own, so that toolbars can dock at its left edge.
    patcherPane_ = new QMainWindow(client_);
    patcherPane_->setObjectName("Panel2");
    patcherPane_->setWindowFlags(Qt::Widget);
    patcher_ = new KDQtPatcherWidget(patcherPane_);
    patcherPane_->setCentralWidget(patcher_);
    patcherPane_->setFixedWidth(180);

    split_ = new KDQtWinSplit(client_);
    scrollBox_ = new VTPropertiesPane(client_);
    scrollBox_->SetTile(KDQtBrickTile());
    scrollBox_->SetTileShiftPercent(50.0f);
    split_->SetTarget(patcherPane_, alLeft);
    split_->control().SetMinTargetSize(kPaneMargin);
    split_->control().SetMaxTargetSize(5000);
    client_->installEventFilter(this);
    // The splitter sets the pane's width; the panes beside it follow.
    patcherPane_->installEventFilter(this);

    editorFactory_ = std::make_unique<VTQtEditorFactory>(*scrollBox_);
    editorFactory_->install();
}

void TMainForm::BuildActions() {
    act_ = std::make_unique<Actions>();
    auto make = [this](const char* text, QKeySequence key, std::function<void()> run) {
        auto* a = new QAction(QString::fromUtf8(text), this);
        if (!key.isEmpty()) a->setShortcut(key);
        if (run) connect(a, &QAction::triggered, this, [run] { run(); });
        return a;
    };
    auto hint = [](QAction* a, const char* h) {
        a->setToolTip(h);
        return a;
    };
    auto ticked = [](QAction* a) {
        a->setCheckable(true);
        return a;
    };
    Actions& a = *act_;
    a.fileNew = hint(make("&New", QKeySequence("Ctrl+N"), [this] { FileNew(); }), "New");
    a.fileOpen = hint(make("&Open...", QKeySequence("Ctrl+O"), [this] { FileOpen(); }), "Open");
    a.fileRevert = make("Revert", {}, [this] { FileRevert(); });
    a.fileSave = hint(make("&Save", QKeySequence("Ctrl+S"), [this] { FileSave(); }), "Save");
    a.fileSaveAs = make("Save &As...", {}, [this] { FileSaveAs(); });
    a.fileExport = make("&Export as Wave File...", QKeySequence("Ctrl+E"), [this] {
        windows_->ShowExport();
        UpdateTransportControls();
    });
    a.fileExit = make("E&xit", {}, [this] { close(); });

    a.editUndo = make("&Undo", QKeySequence("Ctrl+Z"), [this] { EditUndo(); });
    a.editRedo = hint(make("&Redo", QKeySequence("Ctrl+Y"), {}), "Redo");
    a.editRedo->setEnabled(false);
    a.editCut = hint(make("Cu&t", QKeySequence("Ctrl+X"), [this] { EditCut(); }), "Cut");
    a.editCopy = hint(make("&Copy", QKeySequence("Ctrl+C"), [this] { EditCopy(); }), "Copy");
    a.editPaste = hint(make("&Paste", QKeySequence("Ctrl+V"), [this] { EditPaste(); }), "Paste");
    a.editClear = make("Cle&ar", QKeySequence(Qt::Key_Delete), [this] { EditClear(); });
    a.editSelectAll = make("Select A&ll", QKeySequence("Ctrl+A"), [this] { EditSelectAll(); });
    a.editSettings = make("&Settings...", QKeySequence(Qt::Key_F4), [this] {
        windows_->ShowSettings();
        UpdateTransportControls();
    });

    a.viewStatusBar = ticked(make("&Status Bar", {}, {}));
    a.viewStatusBar->setChecked(true);
    connect(a.viewStatusBar, &QAction::triggered, this,
            [this](bool on) { statusBar()->setVisible(on); });
    a.viewPatcher = ticked(make("&Patcher Pane", {}, {}));
    a.viewPatcher->setChecked(true);
    connect(a.viewPatcher, &QAction::triggered, this, [this](bool on) { ApplyPatcherTick(on); });
    a.viewProperties = ticked(make("P&roperties Pane", {}, {}));
    a.viewProperties->setChecked(true);
    connect(a.viewProperties, &QAction::triggered, this,
            [this](bool on) { ApplyPropertiesTick(on); });
    a.viewVolume = make("&Volume Control", {}, [this] { VolumeControl(); });

    a.ctlAudio = hint(ticked(make("Enable &Audio", {}, [this] { EnableAudio(); })), "Enable Audio");
    a.ctlMidi = ticked(make("Enable &MIDI Controllers", {}, [this] { ToggleMidiControllers(); }));
    a.ctlModulation = make("Parameter Mo&dulation...", QKeySequence(Qt::Key_F3), [this] {
        windows_->ShowModulation();
        UpdateTransportControls();
    });
    a.ctlPlay = ticked(make("&Play", {}, [this] { PlayFromStart(); }));
    a.ctlStop = hint(make("&Stop", {}, [this] { Stop(); }), "Stop");
    a.ctlLoop = hint(make("&Loop", {}, {}), "Loop");
    a.ctlLoop->setEnabled(false);
    a.ctlChase = ticked(make("&Chase Sync", {}, [this] { ToggleChaseSync(); }));
    a.ctlGenerate = make("&Generate Sync", {}, {});
    a.ctlGenerate->setEnabled(false);

    a.helpTopics = make("&Help Topics", {}, [] { VTHelpViewer::show(0); });
    a.helpAbout = make("&About Vantrel", {}, [this] {
        if (about_) about_();
    });
    // The help key opens the contents too, wherever the focus is.
    a.helpKey = make("Help", QKeySequence(Qt::Key_F1), [] { VTHelpViewer::show(0); });
    addAction(a.helpKey);

    // Toolbar buttons without a menu row of their own (or whose row differs).
    a.btnUndo = hint(make("Undo", {}, {}), "Undo");
    a.btnUndo->setEnabled(false);
    a.btnPlayFromStart =
        hint(make("Play From Start", {}, [this] { PlayFromStart(); }), "Play From Start");
    a.btnPlay = hint(ticked(make("Play", {}, [this] { Play(); })), "Play");
    a.btnRecord = hint(make("Record", {}, {}), "Record");
    a.btnRecord->setEnabled(false);
    a.btnGoToStart = hint(make("Go to Start", {}, [this] { GoToStart(); }), "Go to Start");
    a.btnGoToEnd = hint(make("Go to End", {}, {}), "Go to End");
    a.btnGoToEnd->setEnabled(false);

    QStyle* st = style();
    a.fileNew->setIcon(st->standardIcon(QStyle::SP_FileIcon));
    a.fileOpen->setIcon(st->standardIcon(QStyle::SP_DialogOpenButton));
    a.fileSave->setIcon(st->standardIcon(QStyle::SP_DialogSaveButton));
    a.btnPlayFromStart->setIcon(st->standardIcon(QStyle::SP_MediaSkipBackward));
    a.btnPlay->setIcon(st->standardIcon(QStyle::SP_MediaPlay));
    a.ctlStop->setIcon(st->standardIcon(QStyle::SP_MediaStop));
    a.btnGoToStart->setIcon(st->standardIcon(QStyle::SP_MediaSeekBackward));
    a.btnGoToEnd->setIcon(st->standardIcon(QStyle::SP_MediaSeekForward));
    a.ctlAudio->setIcon(st->standardIcon(QStyle::SP_MediaVolume));
    const QPalette& colours = palette();
    a.editCut->setIcon(glyphIcon(QString::fromUtf8("\u2702"), colours));
    a.editCopy->setIcon(glyphIcon(QString::fromUtf8("\u2750"), colours));
    a.editPaste->setIcon(glyphIcon(QString::fromUtf8("\u25A4"), colours));
    a.btnUndo->setIcon(glyphIcon(QString::fromUtf8("\u21B6"), colours));
    a.editRedo->setIcon(glyphIcon(QString::fromUtf8("\u21B7"), colours));
    a.btnRecord->setIcon(glyphIcon(QString::fromUtf8("\u25CF"), colours));
    a.ctlLoop->setIcon(glyphIcon(QString::fromUtf8("\u21BB"), colours));
}

void TMainForm::BuildMenus() {
    Actions& a = *act_;
    QMenuBar* bar = menuBar();
    fileMenu_ = bar->addMenu("&File");
    fileMenu_->addAction(a.fileNew);
    fileMenu_->addAction(a.fileOpen);
    reopenMenu_ = fileMenu_->addMenu("&Reopen");
    fileMenu_->addAction(a.fileRevert);
    fileMenu_->addSeparator();
    fileMenu_->addAction(a.fileSave);
    fileMenu_->addAction(a.fileSaveAs);
    fileMenu_->addSeparator();
    fileMenu_->addAction(a.fileExport);
    fileMenu_->addSeparator();
    fileMenu_->addAction(a.fileExit);
    connect(fileMenu_, &QMenu::aboutToShow, this, [this] { UpdateFileMenu(); });

    editMenu_ = bar->addMenu("&Edit");
    editMenu_->addAction(a.editUndo);
    editMenu_->addAction(a.editRedo);
    editMenu_->addSeparator();
    editMenu_->addAction(a.editCut);
    editMenu_->addAction(a.editCopy);
    editMenu_->addAction(a.editPaste);
    editMenu_->addSeparator();
    editMenu_->addAction(a.editClear);
    editMenu_->addAction(a.editSelectAll);
    editMenu_->addSeparator();
    editMenu_->addAction(a.editSettings);
    connect(editMenu_, &QMenu::aboutToShow, this, [this] { UpdateEditControls(); });

    viewMenu_ = bar->addMenu("&View");
    toolbarsMenu_ = viewMenu_->addMenu("&Toolbars");
    viewMenu_->addAction(a.viewStatusBar);
    viewMenu_->addSeparator();
    viewMenu_->addAction(a.viewPatcher);
    viewMenu_->addAction(a.viewProperties);
    viewMenu_->addSeparator();
    viewMenu_->addAction(a.viewVolume);
    connect(viewMenu_, &QMenu::aboutToShow, this, [this] { UpdateViewMenu(); });

    controlMenu_ = bar->addMenu("&Control");
    controlMenu_->addAction(a.ctlAudio);
    controlMenu_->addAction(a.ctlMidi);
    controlMenu_->addSeparator();
    controlMenu_->addAction(a.ctlModulation);
    controlMenu_->addSeparator();
    controlMenu_->addAction(a.ctlPlay);
    controlMenu_->addAction(a.ctlStop);
    controlMenu_->addAction(a.ctlLoop);
    controlMenu_->addSeparator();
    controlMenu_->addAction(a.ctlChase);
    controlMenu_->addAction(a.ctlGenerate);
    connect(controlMenu_, &QMenu::aboutToShow, this, [this] { UpdateControlMenu(); });

    helpMenu_ = bar->addMenu("&Help");
    helpMenu_->addAction(a.helpTopics);
    helpMenu_->addSeparator();
    helpMenu_->addAction(a.helpAbout);
}

void TMainForm::BuildToolbars() {
    Actions& a = *act_;
    standard_ = new QToolBar("Standard", this);
    standard_->setObjectName("Standard");
    standard_->setIconSize(QSize(16, 16));
    standard_->addAction(a.fileNew);
    standard_->addAction(a.fileOpen);
    standard_->addAction(a.fileSave);
    standard_->addSeparator();
    standard_->addAction(a.editCut);
    standard_->addAction(a.editCopy);
    standard_->addAction(a.editPaste);
    standard_->addSeparator();
    standard_->addAction(a.btnUndo);
    standard_->addAction(a.editRedo);

    transport_ = new QToolBar("Transport", this);
    transport_->setObjectName("Transport");
    transport_->setIconSize(QSize(16, 16));
    transport_->addAction(a.btnPlayFromStart);
    transport_->addAction(a.btnPlay);
    transport_->addAction(a.ctlStop);
    transport_->addAction(a.btnRecord);
    transport_->addSeparator();
    transport_->addAction(a.btnGoToStart);
    transport_->addAction(a.btnGoToEnd);
    transport_->addSeparator();
    transport_->addAction(a.ctlLoop);
    transport_->addSeparator();
    timecode_ = new QLabel(QString::fromUtf8(VTTransport::kStartTimecode), transport_);
    timecode_->setFixedSize(54, 15);
    QFont bold = timecode_->font();
    bold.setBold(true);
    bold.setPixelSize(12);
    timecode_->setFont(bold);
    timecode_->setToolTip(QString::fromUtf8("Bar Number \u00B7 Beat"));
    transportTempoParts_.push_back(transport_->addWidget(timecode_));
    transportTempoParts_.push_back(transport_->addSeparator());
    auto* picture = new QLabel(transport_);
    picture->setPixmap(glyphIcon(QString::fromUtf8("\u2669"), palette()).pixmap(16, 16));
    picture->setFixedSize(16, 16);
    transportTempoParts_.push_back(transport_->addWidget(picture));
    tempo_ = new KDQtHosted<KDNumberEdit>(transport_);
    tempo_->setToolTip("Tempo");
    tempo_->setFixedSize(64, 21);
    KDNumberEdit& edit = tempo_->control();
    edit.SetMin(VTTransport::kMinFieldTempo);
    edit.SetMax(VTTransport::kMaxFieldTempo);
    edit.SetIncrement(1);
    edit.SetAutoIncrement(true);
    edit.SetValue(VTTransport::kDefaultTempo);
    edit.OnChange = [this](KDNumberEdit&, double value) { SetTempo(value); };
    transportTempoParts_.push_back(transport_->addWidget(tempo_));
    transportTempoParts_.push_back(transport_->addSeparator());
    transport_->addAction(a.ctlAudio);

    // Qt drags a toolbar only within its own main window, so the patcher pane's left edge is
    // reached through the toolbars' pop-up (and kept by the stored layout).
    for (QToolBar* tb : {standard_, transport_}) {
        tb->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(tb, &QWidget::customContextMenuRequested, this,
                [this, tb](const QPoint& p) { DockMenu(tb).popup(tb->mapToGlobal(p)); });
    }

    inputMeters_ = new TMeterToolBar("Input Meters", "SoundIn", "AuxIn", this);
    outputMeters_ = new TMeterToolBar("Output Meters", "SoundOut", "AuxOut", this);

    for (QToolBar* tb : {standard_, transport_, static_cast<QToolBar*>(inputMeters_),
                         static_cast<QToolBar*>(outputMeters_)}) {
        tb->setAllowedAreas(kOuterAreas);
        // The meters start on a second row, so that at the first window width nothing of the
        // transport toolbar (the tempo field last) is pushed into an overflow menu.
        if (tb == inputMeters_) addToolBarBreak(Qt::TopToolBarArea);
        addToolBar(Qt::TopToolBarArea, tb);
        ConnectToolbar(tb);
        toolbarsMenu_->addAction(tb->toggleViewAction());
    }
}

void TMainForm::BuildStatusBar() {
    loadPanel_ = new TStatusLoadPanel(statusBar());
    statusBar()->addWidget(loadPanel_);
    auto* second = new QLabel(statusBar());
    second->setFixedWidth(500);
    statusBar()->addWidget(second);
}

QAction* TMainForm::AddMakerItem(QMenu& menu, int makerIndex, const QString& caption) {
    QAction* item = menu.addAction(caption);
    connect(item, &QAction::triggered, this,
            [this, makerIndex] { AddContraptionFromMenu(makerIndex); });
    makerItems_[makerIndex] = item;
    return item;
}

void TMainForm::AddPluginItems(QMenu& menu, const VSTPluginFolder& folder) {
    for (const VSTPluginFolder& sub : folder.folders)
        AddPluginItems(*menu.addMenu(QString::fromStdString(sub.name)), sub);
    for (const VSTPluginEntry& plugin : folder.plugins)
        if (plugin.makerIndex >= 0)
            AddMakerItem(menu, plugin.makerIndex, QString::fromStdString(plugin.name));
}

void TMainForm::BuildPatcherPopup(const VSTPluginFolder& plugins) {
    Actions& a = *act_;
    patcherPopup_ = new QMenu(this);
    a.popupEdit = patcherPopup_->addAction("Edit", this, [this] { OpenNodeEditor(); });
    patcherPopup_->setDefaultAction(a.popupEdit);
    a.popupHelp = patcherPopup_->addAction("Help", this, [this] { ShowNodeHelp(); });
    patcherPopup_->addSeparator();
    a.popupDelete = patcherPopup_->addAction("Delete");
    a.popupDelete->setEnabled(false);
    patcherPopup_->addSeparator();
    newMenu_ = patcherPopup_->addMenu("New");

    std::map<std::string, QMenu*> categories;
    for (const char* name :
         {"Input / Output", "Signal Generators", "Effects", "Filters", "Mixers", "Busses"})
        categories[name] = newMenu_->addMenu(name);
    VTContraptionFactory& factory = VTContraptionFactory::instance();
    for (int i = 0; i < factory.makerCount(); ++i) {
        const VTContraptionMaker& maker = factory.maker(i);
        // Plug-ins are offered in their folders' tree below.
        if (maker.category() == VSTContraptionMaker::kCategory) continue;
        QMenu* target = newMenu_;
        if (!maker.category().empty()) {
            QMenu*& menu = categories[maker.category()];
            if (!menu) menu = newMenu_->addMenu(QString::fromStdString(maker.category()));
            target = menu;
        }
        AddMakerItem(*target, i, QString::fromStdString(maker.name()));
    }
    if (!plugins.empty())
        AddPluginItems(*newMenu_->addMenu(VSTContraptionMaker::kCategory), plugins);
}

void TMainForm::ConnectPatcher() {
    KDPatcherPanel& panel = Patcher();
    panel.OnMouseDown = [this](KDControl&, const KDMouseEvent& e) {
        if (e.button == KDMouseButton::Left || e.button == KDMouseButton::Middle)
            document_->SetModified();
        PatcherPressed(e.x, e.y, e.button == KDMouseButton::Right);
        UpdateEditControls();
    };
    panel.OnDblClick = [this](KDControl&) { OpenNodeEditor(); };
}

void TMainForm::ConnectToolbar(QToolBar* toolbar) {
    connect(toolbar, &QToolBar::topLevelChanged, this,
            [this, toolbar] { ToolbarDockChanged(toolbar); });
    connect(toolbar, &QToolBar::orientationChanged, this,
            [this, toolbar] { ToolbarDockChanged(toolbar); });
}

// ---- file -------------------------------------------------------------------------------------

void TMainForm::AfterReplace(const std::optional<std::string>& previousPath) {
    UpdateDeviceUse();
    if (previousPath) reload_.Add(*previousPath);
    RebuildPatcher();
}

void TMainForm::FileNew() {
    const auto previous = document_->GetPath();
    if (document_->New()) AfterReplace(previous);
    UpdateCaption();
    UpdateTransportControls();
}

void TMainForm::FileOpen() {
    const auto previous = document_->GetPath();
    if (document_->Open()) {
        AfterReplace(previous);
        UpdateCaption();
    }
    UpdateTransportControls();
}

bool TMainForm::OpenPath(const std::string& path) {
    const auto previous = document_->GetPath();
    const bool changed = document_->OpenPath(path);
    if (changed) AfterReplace(previous);
    UpdateCaption();
    UpdateTransportControls();
    return changed;
}

void TMainForm::FileRevert() {
    if (document_->Revert()) {
        UpdateDeviceUse();
        RebuildPatcher();
    }
    // A revert that failed half-way leaves an untitled document; the caption says so.
    UpdateCaption();
    UpdateTransportControls();
}

void TMainForm::FileSave() {
    document_->Save();
    UpdateCaption();
}

void TMainForm::FileSaveAs() {
    document_->SaveAs();
    UpdateCaption();
}

void TMainForm::UpdateCaption() {
    const std::string title = document_ ? document_->GetTitle() : std::string();
    setWindowTitle(
        QString::fromStdString(title.empty() ? "Untitled - Vantrel" : title + " - Vantrel"));
}

void TMainForm::RebuildPatcher() {
    setUpdatesEnabled(false);
    // The clock keeps the tempo as samples per tick; shown as the document writes it, a
    // tempo of 133.5 reads 133.5 rather than the last bits of that conversion.
    char shown[32];
    std::snprintf(shown, sizeof shown, "%.6g", document_->Tempo());
    tempo_->control().SetValue(std::strtod(shown, nullptr));
    view_->Rebuild();
    setUpdatesEnabled(true);
    lastNode_ = -1;
}

void TMainForm::UpdateFileCommandState() {
    if (!document_) return;
    const KDDocument::FileCommandState state = document_->GetFileCommandState();
    act_->fileSave->setEnabled(state.saveEnabled);
    act_->fileRevert->setEnabled(state.revertEnabled);
}

void TMainForm::UpdateFileMenu() {
    UpdateFileCommandState();
    reopenMenu_->clear();
    for (const KDReloadManager::MenuItem& item : reload_.BuildMenuItems()) {
        const std::string path = item.path;
        reopenMenu_->addAction(QString::fromStdString(item.caption), this,
                               [this, path] { OpenPath(path); });
    }
    reopenMenu_->menuAction()->setEnabled(!reopenMenu_->isEmpty());
    act_->fileExport->setEnabled(VTIOContraptionPool::instance().soundOut() != nullptr);
}

void TMainForm::closeEvent(QCloseEvent* e) {
    if (document_) {
        if (!document_->CanClose()) {
            e->ignore();
            return;
        }
        if (document_->GetPath()) reload_.Add(*document_->GetPath());
        engine_.StopAudio();
        sharedSoundFilePaths().saveSearchPaths(settings_);
        DestroyDocument();
        UpdateTransportControls();
    }
    e->accept();
}

void TMainForm::DestroyDocument() {
    view_->SetDocument(nullptr);
    Patcher().Clear();
    engine_.SetSignalContext(nullptr);
    document_.reset();
}

// ---- edit -------------------------------------------------------------------------------------

void TMainForm::EditUndo() {
    if (auto* line = qobject_cast<QLineEdit*>(focusWidget())) line->undo();
}

namespace {

// The number field (of the toolbar or an editor) that has the focus, if one has.
KDNumberEdit* focusedNumberEdit(QWidget* focus) {
    auto* host = dynamic_cast<KDQtControlWidget*>(focus);
    return host ? dynamic_cast<KDNumberEdit*>(&host->Control()) : nullptr;
}

std::string selectedText(const KDNumberEdit& edit) {
    const int from = std::min(edit.SelStart(), edit.SelEnd());
    const int to = std::max(edit.SelStart(), edit.SelEnd());
    return edit.Text().substr(std::size_t(from), std::size_t(to - from));
}

}  // namespace

void TMainForm::EditCut() {
    QWidget* focus = focusWidget();
    if (focus == patcher_->Viewport()) {
        clipboard_->Cut(KDTextClipboard::current());
        UpdateDeviceUse();
    } else if (auto* line = qobject_cast<QLineEdit*>(focus)) {
        line->cut();
    } else if (KDNumberEdit* edit = focusedNumberEdit(focus)) {
        if (edit->SelStart() != edit->SelEnd()) {
            KDTextClipboard::current().setText(selectedText(*edit));
            edit->KeyDown({KDKey::Delete, 0, ssNone});
        }
    }
    UpdateEditControls();
}

void TMainForm::EditCopy() {
    QWidget* focus = focusWidget();
    if (focus == patcher_->Viewport()) {
        clipboard_->Copy(KDTextClipboard::current());
    } else if (auto* line = qobject_cast<QLineEdit*>(focus)) {
        line->copy();
    } else if (KDNumberEdit* edit = focusedNumberEdit(focus)) {
        if (edit->SelStart() != edit->SelEnd())
            KDTextClipboard::current().setText(selectedText(*edit));
    }
    UpdateEditControls();
}

void TMainForm::EditPaste() {
    QWidget* focus = focusWidget();
    if (focus == patcher_->Viewport()) {
        if (!VTPatchClipboard::ClipboardHasPatch(KDTextClipboard::current())) return;
        setUpdatesEnabled(false);
        clipboard_->Paste(*document_, KDTextClipboard::current());
        setUpdatesEnabled(true);
        UpdateDeviceUse();
        UpdateTransportControls();
    } else if (auto* line = qobject_cast<QLineEdit*>(focus)) {
        line->paste();
    } else if (KDNumberEdit* edit = focusedNumberEdit(focus)) {
        // As if typed: what a number field does not take is left out.
        if (KDTextClipboard::current().hasText())
            edit->TypeText(KDTextClipboard::current().text(64));
    }
    UpdateEditControls();
}

void TMainForm::EditClear() {
    QWidget* focus = focusWidget();
    if (focus == patcher_->Viewport()) {
        Patcher().DeleteSelection();
        UpdateDeviceUse();
    } else if (auto* line = qobject_cast<QLineEdit*>(focus)) {
        if (line->hasSelectedText()) line->del();
    } else if (auto* host = dynamic_cast<KDQtControlWidget*>(focus)) {
        // The number fields of the toolbar and the editors delete their selection themselves.
        host->Control().KeyDown({KDKey::Delete, 0, ssNone});
    }
    UpdateEditControls();
}

void TMainForm::EditSelectAll() {
    QWidget* focus = focusWidget();
    if (focus == patcher_->Viewport())
        Patcher().SelectAll();
    else if (auto* line = qobject_cast<QLineEdit*>(focus))
        line->selectAll();
    else if (auto* host = dynamic_cast<KDQtControlWidget*>(focus))
        host->Control().KeyDown({KDKey::Character, U'a', ssCtrl});
    UpdateEditControls();
}

void TMainForm::UpdateEditControls() {
    if (!act_) return;
    Actions& a = *act_;
    QWidget* focus = focusWidget();
    auto* line = qobject_cast<QLineEdit*>(focus);
    a.editUndo->setEnabled(line && line->isUndoAvailable());
    bool cut = false, copy = false, paste = false, clear = false;
    if (patcher_ && focus == patcher_->Viewport()) {
        const KDPatcherPanel& panel = Patcher();
        copy = panel.SelectedNodeCount() > 0;
        cut = copy;
        clear = copy || panel.SelectedConnectionCount() > 0;
        paste = VTPatchClipboard::ClipboardHasPatch(KDTextClipboard::current());
    } else if (line) {
        copy = line->hasSelectedText();
        cut = copy && !line->isReadOnly();
        clear = cut;
        paste = !line->isReadOnly() && KDTextClipboard::current().hasText();
    } else if (const KDNumberEdit* edit = focusedNumberEdit(focus)) {
        copy = cut = clear = edit->SelStart() != edit->SelEnd();
        paste = KDTextClipboard::current().hasText();
    }
    a.editCut->setEnabled(cut);
    a.editCopy->setEnabled(copy);
    a.editPaste->setEnabled(paste);
    a.editClear->setEnabled(clear);
    a.editSelectAll->setEnabled(true);
}

// ---- control ----------------------------------------------------------------------------------

void TMainForm::UpdateDeviceUse() {
    // A restart for a changed set of devices can fail like any start; say so, audio stays off.
    try {
        engine_.UpdateDeviceUse();
    } catch (const std::exception& e) {
        VTMessageBox::show(e.what(), kCaption, VTMessageButtons::Ok, VTMessageIcon::Stop);
    }
}

void TMainForm::EnableAudio() {
    if (engine_.IsAudioRunning()) {
        engine_.StopAudio();
    } else {
        try {
            engine_.StartAudio();
        } catch (...) {
            VTMessageBox::show(kAudioStartError, kCaption, VTMessageButtons::Ok,
                               VTMessageIcon::Stop);
        }
    }
    UpdateTransportControls();
}

void TMainForm::StartAudioForPlay() {
    if (engine_.IsAudioRunning()) return;
    // The transport already plays; the device's own message tells what went wrong.
    try {
        engine_.StartAudio();
    } catch (const std::exception& e) {
        VTMessageBox::show(e.what(), kCaption, VTMessageButtons::Ok, VTMessageIcon::Stop);
    }
}

void TMainForm::PlayFromStart() {
    if (document_->Transport().togglePlayFromStart()) StartAudioForPlay();
    UpdateTransportControls();
}

void TMainForm::Play() {
    if (document_->Transport().togglePlay()) StartAudioForPlay();
    UpdateTransportControls();
}

void TMainForm::Stop() {
    document_->Transport().stop();
    UpdateTransportControls();
}

void TMainForm::GoToStart() {
    document_->Transport().goToStart();
    timecode_->setText(QString::fromUtf8(VTTransport::kStartTimecode));
    UpdateTransportControls();
}

void TMainForm::SetTempo(double bpm) {
    if (document_) document_->SetTempo(bpm);
}

void TMainForm::ToggleMidiControllers() {
    if (engine_.MidiControllersEnabled())
        engine_.DisableMidiControllers();
    else
        engine_.EnableMidiControllers();
    UpdateTransportControls();
}

void TMainForm::ToggleChaseSync() {
    if (engine_.ChaseSyncEnabled())
        engine_.DisableChaseSync();
    else
        engine_.EnableChaseSync();
    UpdateTransportControls();
}

void TMainForm::PostSyncPlaybackChanged() {
    QMetaObject::invokeMethod(
        this, [this] { UpdateTransportControls(); }, Qt::QueuedConnection);
}

void TMainForm::UpdateTransportControls() {
    Actions& a = *act_;
    const bool playing = document_ && document_->IsPlaying();
    a.btnPlay->setChecked(playing);
    a.ctlPlay->setChecked(playing);
    if (engine_.IsAudioRunning()) {
        a.ctlAudio->setChecked(true);
        if (!cpuTimer_.isActive()) cpuTimer_.start();
        if (!meterTimer_.isActive()) meterTimer_.start();
    } else {
        if (engine_.MidiControllersEnabled()) {
            if (!meterTimer_.isActive()) meterTimer_.start();
        } else {
            meterTimer_.stop();
        }
        a.ctlAudio->setChecked(false);
        cpuTimer_.stop();
        inputMeters_->ClearLevels();
        outputMeters_->ClearLevels();
        loadPanel_->Clear();
    }
    a.ctlMidi->setChecked(engine_.MidiControllersEnabled());
    a.ctlChase->setChecked(engine_.ChaseSyncEnabled());
}

void TMainForm::UpdateControlMenu() {
    act_->ctlAudio->setEnabled(true);
    act_->ctlMidi->setEnabled(engine_.CanEnableMidiControllers());
    act_->ctlChase->setEnabled(engine_.CanEnableChaseSync());
    UpdateTransportControls();
}

void TMainForm::MeterAndClockTick() {
    if (engine_.IsAudioRunning()) {
        const VTMainEngine::MeterSnapshot snapshot = engine_.CurrentMeterSnapshot();
        inputMeters_->SetLevels(snapshot.inputMeters.data());
        outputMeters_->SetLevels(snapshot.outputMeters.data());
        timecode_->setText(QString::fromStdString(VTTransport::timecodeText(snapshot.clockTicks)));
    }
    if (engine_.MidiControllersEnabled()) TContraptionForm::refreshTickAll();
}

void TMainForm::CpuLoadTick() {
    loadPanel_->Show(engine_.CpuLoadText(), engine_.TakeOverloadIndicator());
}

// ---- view -------------------------------------------------------------------------------------

std::vector<std::string> TMainForm::VolumeCommand() const {
    return volumeCommand_ ? *volumeCommand_ : VTVolumeControl::command();
}

void TMainForm::VolumeControl() {
    const std::vector<std::string> command = VolumeCommand();
    if (command.empty()) return;
    QStringList arguments;
    for (std::size_t i = 1; i < command.size(); ++i)
        arguments << QString::fromStdString(command[i]);
    QProcess::startDetached(QString::fromStdString(command.front()), arguments);
}

void TMainForm::UpdateViewMenu() {
    act_->viewStatusBar->setChecked(!statusBar()->isHidden());
    act_->viewPatcher->setChecked(PatcherPaneShown());
    act_->viewProperties->setChecked(PropertiesPaneShown());
    act_->viewVolume->setEnabled(!VolumeCommand().empty());
}

int TMainForm::ClientWidth() const { return client_->width(); }

int TMainForm::MaxPatcherWidth() const { return split_->control().MaxTargetSize(); }

bool TMainForm::PatcherPaneShown() const { return !patcherPane_->isHidden(); }

bool TMainForm::PropertiesPaneShown() const { return !scrollBox_->isHidden(); }

int TMainForm::PatcherWidth() const {
    // The width is kept as the pane's fixed width. setFixedWidth sets the minimum first, and a
    // pane that grows is resized (and laid out) before its maximum follows.
    return patcherFills_ ? ClientWidth() : patcherPane_->minimumWidth();
}

void TMainForm::SetPatcherWidth(int width) {
    width = std::max(0, std::min(width, MaxPatcherWidth()));
    // A pane that fills the window keeps filling it.
    if (!patcherFills_) patcherPane_->setFixedWidth(width);
    LayoutClient();
}

void TMainForm::AlignPatcherLeft() {
    int width = PatcherWidth();
    patcherFills_ = false;
    const int client = ClientWidth();
    if (width >= client - kPaneMargin) width = client / 2;
    patcherPane_->setFixedWidth(std::max(0, width));
}

void TMainForm::FillWithPatcher() {
    patcherFills_ = true;
    patcherPane_->setMinimumWidth(0);
    patcherPane_->setMaximumWidth(QWIDGETSIZE_MAX);
}

void TMainForm::ApplyPatcherTick(bool tick) {
    ApplyPatcherTickOnly(tick);
    LayoutClient();
}

void TMainForm::ApplyPropertiesTick(bool tick) {
    ApplyPropertiesTickOnly(tick);
    LayoutClient();
}

void TMainForm::ApplyPatcherTickOnly(bool tick) {
    act_->viewPatcher->setChecked(tick);
    if (!tick) {
        split_->hide();
        patcherPane_->hide();
    } else if (PropertiesPaneShown()) {
        AlignPatcherLeft();
        patcherPane_->show();
        split_->show();
    } else {
        FillWithPatcher();
        patcherPane_->show();
    }
}

void TMainForm::ApplyPropertiesTickOnly(bool tick) {
    act_->viewProperties->setChecked(tick);
    if (tick) {
        if (PatcherPaneShown()) {
            AlignPatcherLeft();
            split_->show();
        }
        scrollBox_->show();
    } else if (PropertiesPaneShown()) {
        scrollBox_->hide();
        split_->hide();
        FillWithPatcher();
    }
}

void TMainForm::PatcherPaneCommand() { ApplyPatcherTick(!act_->viewPatcher->isChecked()); }

void TMainForm::PropertiesPaneCommand() { ApplyPropertiesTick(!act_->viewProperties->isChecked()); }

void TMainForm::ShowPatcherPane(bool shown) {
    act_->viewPatcher->setChecked(!shown);
    PatcherPaneCommand();
}

void TMainForm::ShowPropertiesPane(bool shown) {
    act_->viewProperties->setChecked(!shown);
    PropertiesPaneCommand();
}

void TMainForm::StoreNodePositions() const { view_->StoreNodePositions(); }

void TMainForm::LayoutClient() {
    if (layingOut_) return;
    layingOut_ = true;
    const int w = client_->width();
    const int h = client_->height();
    int x = 0;
    if (PatcherPaneShown()) {
        const int width = patcherFills_ ? w : PatcherWidth();
        patcherPane_->setGeometry(0, 0, width, h);
        x = width;
        if (!split_->isHidden()) {
            split_->setGeometry(x, 0, kSplitWidth, h);
            x += kSplitWidth;
        }
    }
    if (PropertiesPaneShown()) scrollBox_->setGeometry(x, 0, std::max(0, w - x), h);
    layingOut_ = false;
}

void TMainForm::ClientResized(int oldWidth, int newWidth) {
    if (PatcherPaneShown() && PropertiesPaneShown() && !patcherFills_ && oldWidth > 0) {
        // Both panes shrink in proportion; the properties pane takes the rest.
        const int patcher = PatcherWidth();
        const int sum = std::max(oldWidth, patcher + kSplitWidth + 1);
        if (newWidth < sum) {
            int width = static_cast<int>(static_cast<long long>(newWidth) * patcher / sum);
            width = std::min(width, newWidth - kPaneMargin);
            patcherPane_->setFixedWidth(std::max(0, width));
        }
    }
    split_->control().SetMaxTargetSize(newWidth - kPaneMargin);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* e) {
    if (watched == client_ && e->type() == QEvent::Resize) {
        auto* resize = static_cast<QResizeEvent*>(e);
        ClientResized(resize->oldSize().width(), resize->size().width());
        LayoutClient();
    } else if (watched == patcherPane_ && e->type() == QEvent::Resize && !patcherFills_) {
        LayoutClient();
    }
    return QMainWindow::eventFilter(watched, e);
}

// ---- toolbars ---------------------------------------------------------------------------------

TMainForm::ToolDock TMainForm::DockOf(QToolBar* toolbar) const {
    if (toolbar->isFloating()) return ToolDock::Floating;
    if (toolbar->parentWidget() == patcherPane_) return ToolDock::Left;
    switch (toolBarArea(toolbar)) {
        case Qt::BottomToolBarArea:
            return ToolDock::Bottom;
        case Qt::RightToolBarArea:
            return ToolDock::Right;
        case Qt::LeftToolBarArea:
            return ToolDock::Left;
        default:
            return ToolDock::Top;
    }
}

void TMainForm::DockToolbar(QToolBar* toolbar, ToolDock dock) {
    const bool shown = !toolbar->isHidden();
    if (dock == ToolDock::Left) {
        if (toolbar->parentWidget() != patcherPane_) removeToolBar(toolbar);
        toolbar->setAllowedAreas(Qt::LeftToolBarArea);
        patcherPane_->addToolBar(Qt::LeftToolBarArea, toolbar);
    } else if (dock != ToolDock::Floating) {
        if (toolbar->parentWidget() == patcherPane_)
            patcherPane_->removeToolBar(toolbar);
        else
            removeToolBar(toolbar);
        toolbar->setAllowedAreas(kOuterAreas);
        const Qt::ToolBarArea area = dock == ToolDock::Bottom  ? Qt::BottomToolBarArea
                                     : dock == ToolDock::Right ? Qt::RightToolBarArea
                                                               : Qt::TopToolBarArea;
        addToolBar(area, toolbar);
    }
    toolbar->setVisible(shown);
    ToolbarDockChanged(toolbar);
}

QMenu& TMainForm::DockMenu(QToolBar* toolbar) {
    QMenu*& menu = dockMenus_[toolbar];
    if (!menu) {
        menu = new QMenu(toolbar);
        struct Choice {
            const char* caption;
            ToolDock dock;
        };
        for (const Choice c :
             {Choice{"Dock at Top", ToolDock::Top}, Choice{"Dock at Bottom", ToolDock::Bottom},
              Choice{"Dock at Right", ToolDock::Right},
              Choice{"Dock in Patcher Pane", ToolDock::Left}}) {
            QAction* item = menu->addAction(c.caption);
            item->setCheckable(true);
            const ToolDock dock = c.dock;
            connect(item, &QAction::triggered, this,
                    [this, toolbar, dock] { DockToolbar(toolbar, dock); });
        }
        connect(menu, &QMenu::aboutToShow, this, [this, toolbar, menu] {
            const ToolDock order[] = {ToolDock::Top, ToolDock::Bottom, ToolDock::Right,
                                      ToolDock::Left};
            for (int i = 0; i < 4; ++i) menu->actions()[i]->setChecked(DockOf(toolbar) == order[i]);
        });
    }
    return *menu;
}

void TMainForm::ToolbarDockChanged(QToolBar* toolbar) {
    const ToolDock dock = DockOf(toolbar);
    const bool lying = dock == ToolDock::Top || dock == ToolDock::Bottom;
    if (toolbar == inputMeters_ || toolbar == outputMeters_) {
        static_cast<TMeterToolBar*>(toolbar)->SetVertical(!lying);
    } else if (toolbar == transport_) {
        const bool side = dock == ToolDock::Left || dock == ToolDock::Right;
        for (QAction* part : transportTempoParts_) part->setVisible(!side);
    }
}

void TMainForm::RestoreLayout() {
    namespace keys = VTSettingsKeys;
    if (settings_.keyExists(keys::Meters)) {
        if (auto mask = settings_.readInteger(keys::Meters, kInputMetersValue))
            inputMeters_->SetShownMask(*mask);
        if (auto mask = settings_.readInteger(keys::Meters, kOutputMetersValue))
            outputMeters_->SetShownMask(*mask);
    }
    QToolBar* all[] = {standard_, transport_, inputMeters_, outputMeters_};
    if (auto state = settings_.readBinary(keys::Toolbars, kStateValue))
        restoreState(toBytes(*state));
    if (auto left = settings_.readString(keys::Toolbars, kLeftDockValue)) {
        const QStringList names = QString::fromStdString(*left).split(',', Qt::SkipEmptyParts);
        for (QToolBar* tb : all)
            if (names.contains(tb->objectName())) DockToolbar(tb, ToolDock::Left);
    }
    if (auto state = settings_.readBinary(keys::Toolbars, kLeftStateValue))
        patcherPane_->restoreState(toBytes(*state));
    for (QToolBar* tb : all) ToolbarDockChanged(tb);
}

void TMainForm::StoreLayout() {
    namespace keys = VTSettingsKeys;
    settings_.writeInteger(keys::Meters, kInputMetersValue, inputMeters_->ShownMask());
    settings_.writeInteger(keys::Meters, kOutputMetersValue, outputMeters_->ShownMask());
    settings_.writeBinary(keys::Toolbars, kStateValue, fromBytes(saveState()));
    settings_.writeBinary(keys::Toolbars, kLeftStateValue, fromBytes(patcherPane_->saveState()));
    QStringList left;
    for (QToolBar* tb : {standard_, transport_, static_cast<QToolBar*>(inputMeters_),
                         static_cast<QToolBar*>(outputMeters_)})
        if (tb->parentWidget() == patcherPane_) left << tb->objectName();
    settings_.writeString(keys::Toolbars, kLeftDockValue, left.join(',').toStdString());
    layoutStored_ = true;
}

// ---- patcher pop-up ---------------------------------------------------------------------------

KDPatcherNode* TMainForm::NodeUnderLastPress() const {
    if (lastNode_ < 0 || lastNode_ >= Patcher().NodeCount()) return nullptr;
    return Patcher().Nodes(lastNode_);
}

void TMainForm::PatcherPressed(int x, int y, bool rightButton) {
    lastPress_ = {x, y};
    lastNode_ = Patcher().NodeIndexAt(x, y);
    if (!rightButton) return;
    for (const auto& [index, item] : makerItems_) item->setEnabled(document_->CanCreate(index));
    KDPatcherNode* node = NodeUnderLastPress();
    VTContraption* c = contraptionOf(node);
    act_->popupEdit->setEnabled(c && c->hasEditor());
    act_->popupHelp->setEnabled(node != nullptr);
    patcherPopup_->popup(patcher_->Viewport()->mapToGlobal(QPoint(x, y)));
}

void TMainForm::OpenNodeEditor() {
    if (VTContraption* c = contraptionOf(NodeUnderLastPress())) {
        if (c->hasEditor()) c->showEditor();
    }
}

void TMainForm::ShowNodeHelp() {
    if (VTContraption* c = contraptionOf(NodeUnderLastPress())) c->showHelp();
}

void TMainForm::AddContraptionFromMenu(int makerIndex) {
    VTContraption* c = document_->AddContraption(makerIndex);
    if (!c) return;
    view_->AddNode(*c, lastPress_.x(), lastPress_.y());
    UpdateDeviceUse();
    UpdateTransportControls();
    UpdateEditControls();
}

// ---- look-ups ---------------------------------------------------------------------------------

namespace {

QAction* findInMenu(const QMenu& menu, const QString& caption) {
    for (QAction* a : menu.actions()) {
        if (a->text() == caption) return a;
        if (a->menu())
            if (QAction* inner = findInMenu(*a->menu(), caption)) return inner;
    }
    return nullptr;
}

}  // namespace

QAction* TMainForm::MenuAction(const QString& caption) const {
    for (QMenu* m : {fileMenu_, editMenu_, viewMenu_, controlMenu_, helpMenu_})
        if (QAction* a = findInMenu(*m, caption)) return a;
    return nullptr;
}

QAction* TMainForm::ButtonAction(const QString& hint) const {
    for (QToolBar* tb : {standard_, transport_})
        for (QAction* a : tb->actions())
            if (!a->isSeparator() && a->toolTip() == hint) return a;
    return nullptr;
}

QAction* TMainForm::MakerAction(int makerIndex) const {
    auto it = makerItems_.find(makerIndex);
    return it == makerItems_.end() ? nullptr : it->second;
}
