#pragma once

#include <QPointer>

#include "app/dialogs/modulation/TConfigAutomationForm.h"
#include "app/dialogs/modulation/TQuickMapMIDIForm.h"
#include "app/dialogs/modulation/VTModulationContext.h"
#include "editors/VTParameterDialogs.h"

class QWidget;

// The two mapping windows, as the editors' parameter pop-up and the main window open them. Made
// with the main window; while it lives, the editors' "Setup Modulation..." and "Quick-map MIDI
// Controller..." items reach it. Each window is built on first use and kept.
class VTModulationDialogs : public VTParameterDialogs {
public:
    VTModulationDialogs(QWidget& owner, const VTModulationContext& context);
    ~VTModulationDialogs() override;
    VTModulationDialogs(const VTModulationDialogs&) = delete;
    VTModulationDialogs& operator=(const VTModulationDialogs&) = delete;

    void setupModulation(VTContraption& contraption, int propertyIndex) override;
    // Modal: returns when the window closes.
    void quickMapMidi(VTContraption& contraption, int propertyIndex,
                      const SGPropertyInfo& info) override;

    // "Parameter Modulation" for no particular parameter.
    void showModulation();
    // The quick-map window for the parameter chosen in "Parameter Modulation"; nothing without.
    void showQuickMapForSelection();

    TConfigAutomationForm& modulationForm();
    TQuickMapMIDIForm& quickMapForm();
    // The windows made so far, without making any.
    TConfigAutomationForm* existingModulationForm() const { return modulation_.data(); }
    TQuickMapMIDIForm* existingQuickMapForm() const { return quickMap_.data(); }

private:
    void runQuickMap(const VTMappedParameter& parameter);

    QWidget& owner_;
    VTModulationContext context_;
    // Children of the owner, so they close with it whichever goes first.
    QPointer<TConfigAutomationForm> modulation_;
    QPointer<TQuickMapMIDIForm> quickMap_;
};
