#include "app/dialogs/export/TExportAsWaveForm.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/export/TProgressForm.h"
#include "audio/VTIOContraptionPool.h"
#include "control/VTTransport.h"
#include "export/VTExportLengths.h"
#include "platform/VTHelpViewer.h"
#include "wave/SharedSoundFilePaths.h"

namespace {

constexpr const char* kBars = "(bars)";
constexpr const char* kSeconds = "(seconds)";

QDoubleSpinBox* numberEdit(QWidget* parent, const char* name, double minimum, double maximum,
                           double value) {
    auto* edit = new QDoubleSpinBox(parent);
    edit->setObjectName(name);
    // Lengths change by whole bars or seconds; the mode rule works to a thousandth.
    edit->setDecimals(3);
    edit->setRange(minimum, maximum);
    edit->setSingleStep(1.0);
    edit->setValue(value);
    return edit;
}

}  // namespace

TExportAsWaveForm::TExportAsWaveForm(QWidget* parent)
    : QDialog(parent), progress_(std::make_unique<TProgressForm>(parent)) {
    setObjectName("ExportAsWaveForm");
    setWindowTitle(kCaption);
    BuildControls();
    ApplyMode(settings_.mode);
}

TExportAsWaveForm::~TExportAsWaveForm() = default;

void TExportAsWaveForm::BuildControls() {
    pattern_ = new QRadioButton("&Clock Syncronised Pattern", this);
    pattern_->setObjectName("PatternRadioButton");
    pattern_->setChecked(true);
    inputFile_ = new QRadioButton("&Processed SoundIn File", this);
    inputFile_->setObjectName("InputFileRadioButton");
    inputFile_->setEnabled(false);
    timed_ = new QRadioButton("&Timed Segment", this);
    timed_->setObjectName("TimedSegmentRadioButton");
    connect(pattern_, &QRadioButton::clicked, this, [this] { ApplyMode(VTExportMode::Pattern); });
    connect(inputFile_, &QRadioButton::clicked, this,
            [this] { ApplyMode(VTExportMode::SoundInFile); });
    connect(timed_, &QRadioButton::clicked, this,
            [this] { ApplyMode(VTExportMode::TimedSegment); });

    preRoll_ = numberEdit(this, "PreRollNumberEdit", VTExportSettings::kMinPreRoll,
                          VTExportSettings::kMaxPreRoll, settings_.preRoll);
    record_ = numberEdit(this, "RecordNumberEdit", VTExportSettings::kMinRecord,
                         VTExportSettings::kMaxRecord, settings_.record);
    preRollUnits_ = new QLabel(kBars, this);
    preRollUnits_->setObjectName("PreRollUnitsLabel");
    recordUnits_ = new QLabel(kBars, this);
    recordUnits_->setObjectName("RecordUnitsLabel");
    duration_ = new QLabel(this);
    duration_->setObjectName("SoundInDurationLabel");

    export_ = new QPushButton("Export", this);
    export_->setObjectName("ExportButton");
    export_->setDefault(true);
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("CancelButton");
    help_ = new QPushButton("&Help", this);
    help_->setObjectName("HelpButton");
    help_->setAutoDefault(false);
    connect(export_, &QPushButton::clicked, this, [this] {
        ReadFields();
        accept();  // hides the dialog while the file is chosen and the export runs
    });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(help_, &QPushButton::clicked, this, [] { VTHelpViewer::show(kHelpTopic); });

    auto* modes = new QGroupBox(this);
    auto* modeLayout = new QVBoxLayout(modes);
    modeLayout->addWidget(pattern_);
    modeLayout->addWidget(inputFile_);
    modeLayout->addWidget(timed_);

    auto* lengths = new QGridLayout;
    lengths->addWidget(new QLabel("Pre-roll:", this), 0, 0);
    lengths->addWidget(preRoll_, 0, 1);
    lengths->addWidget(preRollUnits_, 0, 2);
    lengths->addWidget(new QLabel("Record:", this), 1, 0);
    lengths->addWidget(record_, 1, 1);
    lengths->addWidget(recordUnits_, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help_);
    buttons->addStretch();
    buttons->addWidget(export_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(modes);
    layout->addLayout(lengths);
    layout->addWidget(duration_);
    layout->addLayout(buttons);
}

void TExportAsWaveForm::Execute(SGDynSigContext& context, VTIOContraptionPool& pool) {
    lastResult_.reset();
    for (;;) {
        Prepare(context, pool);
        if (exec() != QDialog::Accepted) return;
        const std::optional<std::string> file = chooser_(parentWidget(), InitialFileName());
        if (!file || file->empty()) return;
        lastFile_ = *file;
        sharedSoundFilePaths().rememberOutputDirectory(*file);

        VTWaveExport exporter(context, pool, freeSpace_);
        lastResult_ = exporter.run(settings_, *file, *progress_);
        // Both refusals ask for a shorter export: the user gets the dialog back to change it.
        if (*lastResult_ != VTWaveExport::Result::NotEnoughDiskSpace &&
            *lastResult_ != VTWaveExport::Result::TooLong)
            return;
    }
}

void TExportAsWaveForm::Prepare(SGDynSigContext& context, const VTIOContraptionPool& pool) {
    spt_ = VTTransport(context).samplesPerTick();
    const bool fileMode = VTWaveExport::soundInFileAvailable(pool);
    inputFile_->setEnabled(fileMode);
    duration_->setText(QString::fromStdString(VTWaveExport::soundInDurationText(pool)));
    // The file mode kept from an earlier opening cannot run without its file; the lengths are
    // in seconds already, so the timed segment takes them over unchanged.
    VTExportMode mode = settings_.mode;
    if (mode == VTExportMode::SoundInFile && !fileMode) mode = VTExportMode::TimedSegment;
    ApplyMode(mode);
}

void TExportAsWaveForm::ApplyMode(VTExportMode mode) {
    ReadFields();
    VTExportLengths::applyModeRule(settings_, mode, spt_);
    WriteFields();
    const char* units = settings_.inBars ? kBars : kSeconds;
    preRollUnits_->setText(units);
    recordUnits_->setText(units);
    duration_->setVisible(!settings_.inBars);
    QRadioButton* checked = mode == VTExportMode::Pattern       ? pattern_
                            : mode == VTExportMode::SoundInFile ? inputFile_
                                                                : timed_;
    checked->setChecked(true);
}

void TExportAsWaveForm::ReadFields() {
    settings_.preRoll = preRoll_->value();
    settings_.record = record_->value();
}

// The fields hold their range and three decimals; what they show is what is exported.
void TExportAsWaveForm::WriteFields() {
    preRoll_->setValue(settings_.preRoll);
    record_->setValue(settings_.record);
    ReadFields();
}

std::string TExportAsWaveForm::InitialFileName() const {
    if (!lastFile_.empty()) return lastFile_;
    return sharedSoundFilePaths().outputDialogDirectory() + "/Untitled.wav";
}
