#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "app/dialogs/export/VTExportFileChooser.h"
#include "export/VTDiskSpace.h"
#include "export/VTExportSettings.h"
#include "export/VTWaveExport.h"

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QRadioButton;
class SGDynSigContext;
class TProgressForm;
class VTIOContraptionPool;

// "Export as Wave File...": the kind of export, the pre-roll and recorded lengths in bars or
// seconds, and Export, which asks for the file and renders the patch into it with the progress
// window showing. Made once; the mode, the lengths and their unit stay from one opening to the
// next.
class TExportAsWaveForm : public QDialog {
public:
    static constexpr const char* kCaption = "Export as Wave File...";
    static constexpr int kHelpTopic = 2002;

    explicit TExportAsWaveForm(QWidget* parent = nullptr);
    ~TExportAsWaveForm() override;

    // Shows the dialog modally over the patch of `context` and runs the export it is asked
    // for. Returns when the dialog is closed: by Cancel, by Cancel in the file chooser, or
    // after an export ran (to its end, cancelled or failed). An export refused for its length
    // (no room on the disk) brings the dialog back as it was.
    void Execute(SGDynSigContext& context, VTIOContraptionPool& pool);

    void SetFileChooser(VTExportFileChooser chooser) { chooser_ = std::move(chooser); }
    void SetFreeSpaceQuery(VTFreeSpaceQuery query) { freeSpace_ = std::move(query); }

    const VTExportSettings& Settings() const { return settings_; }
    // What the last Execute ended with; none when no export ran.
    std::optional<VTWaveExport::Result> LastResult() const { return lastResult_; }

    QRadioButton* PatternRadioButton() const { return pattern_; }
    QRadioButton* InputFileRadioButton() const { return inputFile_; }
    QRadioButton* TimedSegmentRadioButton() const { return timed_; }
    QDoubleSpinBox* PreRollNumberEdit() const { return preRoll_; }
    QDoubleSpinBox* RecordNumberEdit() const { return record_; }
    QLabel* PreRollUnitsLabel() const { return preRollUnits_; }
    QLabel* RecordUnitsLabel() const { return recordUnits_; }
    QLabel* SoundInDurationLabel() const { return duration_; }
    QPushButton* ExportButton() const { return export_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* HelpButton() const { return help_; }
    TProgressForm& ProgressForm() const { return *progress_; }

private:
    void BuildControls();
    void Prepare(SGDynSigContext& context, const VTIOContraptionPool& pool);
    // Selects the mode and converts the shown lengths when its unit differs.
    void ApplyMode(VTExportMode mode);
    void ReadFields();
    void WriteFields();
    std::string InitialFileName() const;

    QRadioButton* pattern_;
    QRadioButton* inputFile_;
    QRadioButton* timed_;
    QDoubleSpinBox* preRoll_;
    QDoubleSpinBox* record_;
    QLabel* preRollUnits_;
    QLabel* recordUnits_;
    QLabel* duration_;
    QPushButton* export_;
    QPushButton* cancel_;
    QPushButton* help_;
    std::unique_ptr<TProgressForm> progress_;

    VTExportSettings settings_;
    double spt_ = 0.0;
    std::string lastFile_;
    VTExportFileChooser chooser_ = vtChooseExportFile;
    VTFreeSpaceQuery freeSpace_ = vtFreeSpaceForFile;
    std::optional<VTWaveExport::Result> lastResult_;
};
