#pragma once

// The windows the main window's menu opens that live outside this layer: the export dialog,
// the settings dialog, the modulation and quick-map windows. Each does nothing until the
// program gives the main window an implementation that opens the real one.
class VTSecondaryWindows {
public:
    virtual ~VTSecondaryWindows() = default;
    // "&Export as Wave File..."
    virtual void ShowExport() {}
    // "&Settings...": the modal "Vantrel Settings" dialog.
    virtual void ShowSettings() {}
    // "Parameter Mo&dulation...", for no particular parameter.
    virtual void ShowModulation() {}
    // The quick-map window of the MIDI controllers.
    virtual void ShowQuickMap() {}
};
