#pragma once

#include <QDialog>
#include <optional>

#include "app/dialogs/modulation/VTMappedParameter.h"
#include "app/dialogs/modulation/VTModulationContext.h"

class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class VTContraption;
class VTMidiMappingPanel;

// "Parameter Modulation": the MIDI sources of every parameter of the patch. The tree lists each
// contraption with its preset number and its controllable parameters; choosing one shows its
// controller (made if new) in the source groups, where every change applies at once. The window
// stays open beside the patch, so it re-reads the patch whenever it is shown or activated.
class TConfigAutomationForm : public QDialog {
    Q_OBJECT
public:
    // The page "2003.html" of the help.
    static constexpr int kHelpTopic = 2003;

    explicit TConfigAutomationForm(const VTModulationContext& context, QWidget* parent = nullptr);
    ~TConfigAutomationForm() override;

    // Shows the window with the parameter selected and its contraption expanded; without one
    // the selection stays where it was, if it still exists.
    void showFor(std::optional<VTMappedParameter> parameter);
    // Re-reads the patch into the tree, keeping the selection where it still exists.
    void rebuildTree();

    std::optional<VTMappedParameter> selectedParameter() const;
    bool select(const VTMappedParameter& parameter);

    QTreeWidget& tree() const { return *tree_; }
    VTMidiMappingPanel& panel() const { return *panel_; }
    QLabel& parameterLabel() const { return *parameterLabel_; }
    QLabel& rangeLabel() const { return *rangeLabel_; }
    QTabWidget& tabs() const { return *tabs_; }
    QPushButton& closeButton() const { return *closeButton_; }
    QPushButton& helpButton() const { return *helpButton_; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* buildSourcePage();
    void selectionChanged();
    void markModified();
    void closePressed();
    QTreeWidgetItem* itemOf(const VTMappedParameter& parameter) const;

    VTModulationContext context_;
    QTabWidget* tabs_;
    QTreeWidget* tree_;
    QLabel* parameterLabel_;
    QLabel* rangeLabel_;
    VTMidiMappingPanel* panel_;
    QPushButton* closeButton_;
    QPushButton* helpButton_;
    QTimer* switchWatch_;
    bool rebuilding_ = false;
};
