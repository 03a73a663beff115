#pragma once

#include <memory>

#include "app/gui/VTSecondaryWindows.h"

class TExportAsWaveForm;
class TMainForm;
class TRealTimeEngine;

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

    // The export dialog, made at the first use.
    TExportAsWaveForm& ExportForm();

private:
    TMainForm& form_;
    TRealTimeEngine& engine_;
    std::unique_ptr<TExportAsWaveForm> export_;
};
