#pragma once

#include <QPointer>
#include <memory>

#include "app/gui/VTSecondaryWindows.h"

class TExportAsWaveForm;
class TMainForm;
class TRealTimeEngine;
class TSettingsForm;
class VTModulationDialogs;

// The secondary windows the main window's menu opens, over the real engine. Made once with the
// main window and destroyed with it; each window is built when it is first asked for and keeps
// its values from one opening to the next.
class VTDialogWindows : public VTSecondaryWindows {
public:
    VTDialogWindows(TMainForm& form, TRealTimeEngine& engine);
    ~VTDialogWindows() override;

    void ShowExport() override;
    void ShowSettings() override;
    void ShowModulation() override;
    void ShowQuickMap() override;

    // The parameter mapping windows, which the editors' parameter pop-up opens as well.
    VTModulationDialogs& Modulation() const { return *modulation_; }
    // The export dialog, made at the first use.
    TExportAsWaveForm& ExportForm();

private:
    TMainForm& form_;
    TRealTimeEngine& engine_;
    // Owned by the main window as a child, so it is centred on it and goes when it goes.
    QPointer<TSettingsForm> settings_;
    std::unique_ptr<VTModulationDialogs> modulation_;
    std::unique_ptr<TExportAsWaveForm> export_;
};
