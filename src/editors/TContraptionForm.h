#pragma once

#include <QMenu>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "contraptions/VTEditorWindow.h"
#include "editors/VTDragTracker.h"

class KDDWKnob;
class KDDWSlider;
class KDNumberEdit;
class KDRangeSlider;
class QCheckBox;
class QLabel;
class SGProperty;
class VTContraption;
class VTFormHeader;
class VTPresetButton;
class VTPropertiesPane;
class VTPropertyControlBinding;
class VTValueHintWindow;

// The common editor window of a contraption: a window without a system frame inside the
// properties pane, with a header strip (instance name, preset, help and close buttons) by
// which it is dragged on a 10-pixel grid, and below it the client area where a derived
// editor puts its controls. Bindings tie those controls to the processor's properties.
//
// Windows are built through the editor factory and owned by the contraption's form state;
// closing one destroys it.
class TContraptionForm : public QWidget, public VTEditorWindow {
public:
    static constexpr int kGrid = 10;

    explicit TContraptionForm(VTContraption& contraption);
    ~TContraptionForm() override;

    VTContraption& contraption() const { return contraption_; }
    VTValueHintWindow& hintWindow() const { return *hintWindow_; }

    // The area below the header where derived editors place their controls; setClientSize
    // sizes the window around it (the size is rounded up to the grid).
    QWidget* clientArea() const { return client_; }
    void setClientSize(int width, int height);
    // A caption in the client area at (x, y); with a width it is that wide and aligned as asked.
    QLabel* addLabel(const QString& text, int x, int y, int width = 0,
                     Qt::Alignment alignment = Qt::AlignLeft);

    // ---- bindings (derived editors call these in their constructors) -----------------------
    // The control takes the property's range; a property name the table does not know binds
    // the harmless null property.
    VTPropertyControlBinding& bindKnob(KDDWKnob& knob, const std::string& name, int notifierId = 0);
    VTPropertyControlBinding& bindSlider(KDDWSlider& slider, const std::string& name,
                                         int notifierId = 0);
    VTPropertyControlBinding& bindRangeSlider(KDRangeSlider& slider, const std::string& name,
                                              int notifierId = 0);
    // An int binding for int properties, a double binding for the others.
    VTPropertyControlBinding& bindNumberEdit(KDNumberEdit& edit, const std::string& name,
                                             int notifierId = 0);
    VTPropertyControlBinding& bindCheckBox(QCheckBox& box, const std::string& name,
                                           bool checkedMeans = true, int notifierId = 0);
    VTPropertyControlBinding& bindNotify(std::function<void()> callback, const std::string& name,
                                         int notifierId = 0);
    VTPropertyControlBinding& bindNotify(std::function<void()> callback, int propertyIndex,
                                         int notifierId = 0);
    VTPropertyControlBinding& bindNull(const std::string& name, int notifierId = 0);
    // A callback for a group of controls refreshed together, called after any of its
    // bindings changed or was refreshed.
    void addNotifier(int id, std::function<void()> callback);
    void callNotifier(int id);

    // Opens the parameter pop-up menu at a screen position for a property (by index or name).
    void popupParameterMenu(QPoint screenPosition, int propertyIndex);
    void popupParameterMenu(QPoint screenPosition, const std::string& propertyName);
    QMenu& parameterMenu() { return parameterMenu_; }
    int parameterMenuProperty() const { return menuProperty_; }

    // ---- refreshing -------------------------------------------------------------------------
    // Something other than this window changed a property: refresh its controls now, or mark
    // them for the next refresh tick.
    void propertyChanged(const SGProperty& property, bool now);
    void propertyChanged(int propertyIndex, bool now);
    // Every binding and notifier now, or all of them at the next tick.
    void refreshAll(bool now);
    // The refresh timer's call: takes the controls a MIDI controller made stale, then refreshes
    // what is pending, each control and each notifier once however often its value changed.
    void refreshTick();
    // refreshTick for every open editor window, in the order they were opened.
    static void refreshTickAll();
    static const std::vector<TContraptionForm*>& openForms();

    // The step after every change the user makes in the window: the contraption forgets its
    // current preset (which marks the document modified) and the preset button shows "--".
    void userEdited();
    // Runs a preset menu action (1 recall, 2 store, 3 clear, 4 cut, 5 copy, 6 paste) on slot k.
    void runPresetAction(int code, int k);

    // ---- geometry ---------------------------------------------------------------------------
    // The properties pane the window lives in (set by the editor factory before open).
    void attachToPane(VTPropertiesPane* pane) { pane_ = pane; }
    VTPropertiesPane* pane() const { return pane_; }
    // Places the window at a rectangle of the pane's content, snapped: on the 10-pixel grid,
    // never left of or above the content's origin, the size rounded up to the grid. Marks the
    // document modified when the bounds change.
    void setContentBounds(const QRect& bounds);
    static QRect snapBounds(const QRect& bounds);

    // Header dragging, fed by the header with positions in its own coordinates.
    void beginHeaderDrag(QPoint headerPosition);
    void dragHeader(QPoint headerPosition);
    const VTDragTracker& dragTracker() const { return drag_; }

    VTFormHeader& header() const { return *header_; }
    VTPresetButton& presetButton() const;

    // VTEditorWindow
    void open(const std::string& caption, int editorLeft, int editorTop) override;
    void bringIntoView() override;
    int contentLeft() const override { return geometry().left(); }
    int contentTop() const override { return geometry().top(); }

protected:
    // Called last by refreshAll(now); derived editors refresh what no binding covers.
    virtual void refreshHook() {}

    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    VTPropertyControlBinding& addBinding(std::unique_ptr<VTPropertyControlBinding> binding);
    void refreshBinding(VTPropertyControlBinding& binding);
    void buildParameterMenu();
    void watchPresses();
    QPoint scrollOffset() const;

    VTContraption& contraption_;
    std::unique_ptr<VTValueHintWindow> hintWindow_;
    // Keyed by property index; a property may have several controls, kept in binding order.
    std::multimap<int, std::unique_ptr<VTPropertyControlBinding>> bindings_;
    std::map<int, std::function<void()>> notifiers_;
    bool refreshPending_ = false;
    VTDragTracker drag_;
    VTFormHeader* header_;
    QWidget* client_;
    VTPropertiesPane* pane_ = nullptr;
    QMenu parameterMenu_;
    int menuProperty_ = -1;
    bool isOpen_ = false;
};
