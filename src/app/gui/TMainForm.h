#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/gui/VTMainEngine.h"
#include "app/gui/VTPatchClipboard.h"
#include "app/gui/VTPatchView.h"
#include "app/gui/VTSecondaryWindows.h"
#include "document/KDReloadManager.h"
#include "editors/KDQtTextClipboard.h"
#include "ui/KDNumberEdit.h"
#include "ui/qt/KDQtHosted.h"

class KDDocumentDialogs;
class KDPatcherNode;
class KDPatcherPanel;
class KDQtPatcherWidget;
class KDQtWinSplit;
class QAction;
class QLabel;
class QMenu;
class QToolBar;
class TMeterToolBar;
class TStatusLoadPanel;
struct VSTPluginFolder;
class VTDocument;
class VTMessageBox;
class VTPropertiesPane;
class VTQtEditorFactory;
class VTSettingsStore;

// The program's main window: menus, the Standard and Transport toolbars, the two meter
// toolbars, the status bar, and the patcher pane beside the properties pane with a splitter
// between them. It owns the one document and answers its file commands.
//
// What the start-up does with it:
//   TMainForm form(engineLink, settings);     // restores meters and toolbars, builds menus
//   form.SetAboutHandler([&] { about.exec(); });
//   form.SetSecondaryWindows(&windows);        // export, settings, modulation, quick-map
//   (placement from "Main Window", then show)
//   if (path) form.OpenPath(*path);            // the command-line document
//   if (startDacs) form.EnableAudio();         // /STARTDACS
//   if (startClock) form.PlayFromStart();      // /STARTCLOCK
// Closing the window asks to save; the layout is stored when the window is destroyed
// (StoreLayout may be called earlier, for instance before the start-up stores the placement).
//
// The makers must be registered before construction unless the plug-in tree is given: then the
// window registers the table and the scanned plug-ins itself (registerPluginMakers).
class TMainForm : public QMainWindow {
public:
    enum class ToolDock { Top, Bottom, Right, Left, Floating };

    struct Options {
        // The document's questions; none gives the window's message boxes and file dialogs.
        std::unique_ptr<KDDocumentDialogs> dialogs;
        // The "VST Plugins" submenu's tree; none scans the plug-in folders.
        const VSTPluginFolder* plugins = nullptr;
        // The mixer command; none looks for one (VTVolumeControl::command()).
        std::optional<std::vector<std::string>> volumeCommand;
    };

    TMainForm(VTMainEngine& engine, VTSettingsStore& settings);
    TMainForm(VTMainEngine& engine, VTSettingsStore& settings, Options options);
    ~TMainForm() override;

    VTDocument* Document() const { return document_.get(); }
    KDPatcherPanel& Patcher() const;
    KDQtPatcherWidget& PatcherWidget() const { return *patcher_; }
    VTPropertiesPane& PropertiesPane() const { return *scrollBox_; }
    VTPatchClipboard& PatchClipboard() { return *clipboard_; }
    KDReloadManager& ReloadManager() { return reload_; }

    void SetAboutHandler(std::function<void()> handler) { about_ = std::move(handler); }
    void SetSecondaryWindows(VTSecondaryWindows* windows) {
        windows_ = windows ? windows : &noWindows_;
    }

    // --- File (each runs the main window's reactions to a replaced document)
    void FileNew();
    void FileOpen();
    // Opens a path (Reopen, the command line); false when the document did not change.
    bool OpenPath(const std::string& path);
    void FileRevert();
    void FileSave();
    void FileSaveAs();
    void UpdateCaption();
    // The patcher again from the document, and the tempo field from its tempo.
    void RebuildPatcher();

    // --- Edit: the patch when the patcher has the focus, the focused text field otherwise.
    void EditUndo();
    void EditCut();
    void EditCopy();
    void EditPaste();
    void EditClear();
    void EditSelectAll();
    void UpdateEditControls();

    // --- Control
    void EnableAudio();  // toggles; a failing start shows its message and leaves audio off
    void PlayFromStart();
    void Play();
    void Stop();
    void GoToStart();
    void SetTempo(double bpm);
    void ToggleMidiControllers();
    void ToggleChaseSync();
    void UpdateTransportControls();
    // The sync code's notice that playback started or stopped; safe from any thread.
    void PostSyncPlaybackChanged();

    // --- View
    void PatcherPaneCommand();
    void PropertiesPaneCommand();
    // Runs the command when the pane is not shown as asked.
    void ShowPatcherPane(bool shown);
    void ShowPropertiesPane(bool shown);
    bool PatcherPaneShown() const;
    bool PropertiesPaneShown() const;
    int PatcherWidth() const;
    void SetPatcherWidth(int width);  // limited to MaxPatcherWidth
    int MaxPatcherWidth() const;
    int ClientWidth() const;
    void StoreNodePositions() const;
    void VolumeControl();

    // --- Toolbars and meters
    void DockToolbar(QToolBar* toolbar, ToolDock dock);
    ToolDock DockOf(QToolBar* toolbar) const;
    // The Standard and Transport toolbars' pop-up: where to dock them.
    QMenu& DockMenu(QToolBar* toolbar);
    // "Meters" (InputMeters, OutputMeters) and "Toolbars" in the settings store.
    void RestoreLayout();
    void StoreLayout();

    // --- The patcher pop-up
    // What a mouse press on the patcher does: remembers the point and the node under it; the
    // right button opens the pop-up there.
    void PatcherPressed(int x, int y, bool rightButton);
    void OpenNodeEditor();  // the pop-up's "Edit", and a double click
    void ShowNodeHelp();
    void AddContraptionFromMenu(int makerIndex);

    // --- Parts for tests and for the start-up
    QMenu& FileMenu() const { return *fileMenu_; }
    QMenu& EditMenu() const { return *editMenu_; }
    QMenu& ViewMenu() const { return *viewMenu_; }
    QMenu& ControlMenu() const { return *controlMenu_; }
    QMenu& HelpMenu() const { return *helpMenu_; }
    QMenu& ToolbarsMenu() const { return *toolbarsMenu_; }
    QMenu& ReopenMenu() const { return *reopenMenu_; }
    QMenu& PatcherPopup() const { return *patcherPopup_; }
    QMenu& NewMenu() const { return *newMenu_; }
    QToolBar& StandardToolbar() const { return *standard_; }
    QToolBar& TransportToolbar() const { return *transport_; }
    TMeterToolBar& InputMeters() const { return *inputMeters_; }
    TMeterToolBar& OutputMeters() const { return *outputMeters_; }
    TStatusLoadPanel& LoadPanel() const { return *loadPanel_; }
    QLabel& Timecode() const { return *timecode_; }
    KDNumberEdit& TempoEdit() const { return tempo_->control(); }
    QWidget& TempoWidget() const { return *tempo_; }
    KDQtWinSplit& Splitter() const { return *split_; }
    QMainWindow& PatcherPane() const { return *patcherPane_; }
    QTimer& CpuLoadTimer() { return cpuTimer_; }
    QTimer& MeterAndClockTimer() { return meterTimer_; }
    // The menu action of a command by its caption ("&Save", "Cu&t" ...), or the toolbar
    // button's by its hint ("Play", "Undo" ...).
    QAction* MenuAction(const QString& caption) const;
    QAction* ButtonAction(const QString& hint) const;
    QAction* MakerAction(int makerIndex) const;
    QPoint LastPress() const { return lastPress_; }
    int LastNode() const { return lastNode_; }

    // Refreshes the menus' enabling and ticks as their aboutToShow does.
    void UpdateFileMenu();
    // Save and Revert from the document's state; also run every 250 milliseconds.
    void UpdateFileCommandState();
    void UpdateViewMenu();
    void UpdateControlMenu();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    struct Actions;

    void BuildPanes();
    void BuildActions();
    void BuildMenus();
    void BuildToolbars();
    void BuildStatusBar();
    void BuildPatcherPopup(const VSTPluginFolder& plugins);
    void AddPluginItems(QMenu& menu, const VSTPluginFolder& folder);
    QAction* AddMakerItem(QMenu& menu, int makerIndex, const QString& caption);
    void ConnectPatcher();
    void ConnectToolbar(QToolBar* toolbar);
    void ToolbarDockChanged(QToolBar* toolbar);

    void AfterReplace(const std::optional<std::string>& previousPath);
    void UpdateDeviceUse();
    void StartAudioForPlay();
    void MeterAndClockTick();
    void CpuLoadTick();
    void ClientResized(int oldWidth, int newWidth);
    void ApplyPatcherTick(bool tick);
    void ApplyPropertiesTick(bool tick);
    void ApplyPatcherTickOnly(bool tick);
    void ApplyPropertiesTickOnly(bool tick);
    void LayoutClient();
    void AlignPatcherLeft();
    void FillWithPatcher();
    void DestroyDocument();
    KDPatcherNode* NodeUnderLastPress() const;
    std::vector<std::string> VolumeCommand() const;

    VTMainEngine& engine_;
    VTSettingsStore& settings_;
    VTSecondaryWindows noWindows_;
    VTSecondaryWindows* windows_ = &noWindows_;
    std::function<void()> about_;
    std::optional<std::vector<std::string>> volumeCommand_;
    std::unique_ptr<VTMessageBox> ownMessageBox_;
    KDQtTextClipboard qtClipboard_;

    QWidget* client_ = nullptr;
    QMainWindow* patcherPane_ = nullptr;  // Panel2, with LeftDock at its left edge
    KDQtPatcherWidget* patcher_ = nullptr;
    KDQtWinSplit* split_ = nullptr;
    VTPropertiesPane* scrollBox_ = nullptr;
    std::unique_ptr<VTQtEditorFactory> editorFactory_;
    bool patcherFills_ = false;
    bool layingOut_ = false;

    std::unique_ptr<Actions> act_;
    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QMenu* controlMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QMenu* toolbarsMenu_ = nullptr;
    QMenu* reopenMenu_ = nullptr;
    QMenu* patcherPopup_ = nullptr;
    QMenu* newMenu_ = nullptr;
    std::map<int, QAction*> makerItems_;
    std::map<QToolBar*, QMenu*> dockMenus_;

    QToolBar* standard_ = nullptr;
    QToolBar* transport_ = nullptr;
    TMeterToolBar* inputMeters_ = nullptr;
    TMeterToolBar* outputMeters_ = nullptr;
    std::vector<QAction*> transportTempoParts_;  // hidden when docked at a side
    QLabel* timecode_ = nullptr;
    KDQtHosted<KDNumberEdit>* tempo_ = nullptr;
    TStatusLoadPanel* loadPanel_ = nullptr;
    QTimer cpuTimer_;
    QTimer meterTimer_;
    QTimer fileStateTimer_;

    QPoint lastPress_;
    int lastNode_ = -1;

    KDReloadManager reload_;
    std::unique_ptr<VTDocument> document_;
    std::unique_ptr<VTPatchView> view_;
    std::unique_ptr<VTPatchClipboard> clipboard_;
    bool layoutStored_ = false;
};
