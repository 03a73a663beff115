#include "app/dialogs/settings/TSettingsForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <exception>
#include <mutex>
#include <string>
#include <vector>

#include "app/dialogs/settings/TDeviceGrid.h"
#include "app/dialogs/settings/TDevicePage.h"
#include "app/dialogs/settings/TDirectorySelectionForm.h"
#include "audio/TRealTimeEngine.h"
#include "platform/VTHelpViewer.h"
#include "platform/VTMessageBox.h"
#include "signal/SGDynSigContext.h"
#include "wave/SharedSoundFilePaths.h"

namespace {

constexpr const char* kInvalidInputCaption = "Invalid Audio Input Buffer Size";
constexpr const char* kInvalidInputText =
    "You have selected an invalid Audio Input buffer size.\n"
    "The Audio Input buffer size must be greater than or equal to the Audio Output buffer size.\n"
    "The Audio Input buffer size has been reset to the Audio Output buffer size.";
// Five lines that read as one paragraph; kept as one so that it wraps to the page's width.
constexpr const char* kDirectoryNote =
    "Soundfiles referenced within Vantrel documents are stored in "
    "relative form if they are contained within directories or sub-directories "
    "of either: the directory the Vantrel document is contained in, the "
    "directories listed above, or the Vantrel application directory. "
    "Files are also searched for in that order.";

QStringList RowNames(const char* first, const char* aux) {
    QStringList names{QString(" ") + first};
    for (int i = 1; i < TDeviceGrid::kRows; ++i) names << QString(" %1%2").arg(aux).arg(i);
    return names;
}

std::vector<int> ChannelCounts(int count, int (KDWaveStream::*channels)(int) const,
                               const KDWaveStream& stream) {
    std::vector<int> counts(count);
    for (int i = 0; i < count; ++i) counts[i] = (stream.*channels)(i);
    return counts;
}

void FillMidiList(QComboBox& list, const std::vector<std::string>& names, int device) {
    const QSignalBlocker block(&list);
    list.clear();
    list.addItem("(None)");
    for (const std::string& n : names) list.addItem(QString::fromStdString(n));
    list.setCurrentIndex(device + 1);
}

}  // namespace

TSettingsForm::TSettingsForm(TRealTimeEngine& engine, QWidget* parent)
    : QDialog(parent),
      engine_(engine),
      pages_(new QTabWidget),
      output_(new TDevicePage("Output Device", RowNames("SoundOut", "AuxOut"), true)),
      input_(new TDevicePage("Input Devices", RowNames("SoundIn", "AuxIn"), false)),
      ok_(new QPushButton("OK")),
      cancel_(new QPushButton("Cancel")),
      apply_(new QPushButton("Apply")),
      help_(new QPushButton("&Help")),
      chooser_(new TDirectorySelectionForm(this)) {
    setWindowTitle("Vantrel Settings");
    setModal(true);
    pages_->addTab(output_, "Audio Output");
    pages_->addTab(input_, "Audio Input");
    pages_->addTab(BuildMidiPage(), "MIDI && Sync");
    pages_->addTab(BuildDirectoriesPage(), "Directories");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {ok_, cancel_, apply_, help_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    ok_->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
    resize(440, 460);

    connect(output_, &TDevicePage::Changed, this, &TSettingsForm::Changed);
    connect(input_, &TDevicePage::Changed, this, &TSettingsForm::Changed);
    connect(ok_, &QPushButton::clicked, this, &TSettingsForm::Ok);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(apply_, &QPushButton::clicked, this, &TSettingsForm::Apply);
    connect(help_, &QPushButton::clicked, this, [] { VTHelpViewer::show(kHelpTopic); });
    apply_->setEnabled(false);
}

TSettingsForm::~TSettingsForm() = default;

QWidget* TSettingsForm::BuildMidiPage() {
    controllers_ = new QComboBox;
    sync_ = new QComboBox;
    auto* box = new QGroupBox("MIDI Devices");
    auto* form = new QFormLayout(box);
    form->addRow("MIDI Controllers Device:", controllers_);
    form->addRow("MIDI Sync Device:", sync_);
    for (QComboBox* list : {controllers_, sync_})
        connect(list, &QComboBox::currentIndexChanged, this, &TSettingsForm::Changed);
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(box);
    layout->addStretch();
    return page;
}

QWidget* TSettingsForm::BuildDirectoriesPage() {
    directories_ = new QListWidget;
    note_ = new QPlainTextEdit(kDirectoryNote);
    note_->setReadOnly(true);
    note_->setFixedHeight(note_->fontMetrics().lineSpacing() * 6 + 12);
    add_ = new QPushButton("Add...");
    remove_ = new QPushButton("Remove");
    up_ = new QPushButton("Move Up");
    down_ = new QPushButton("Move Down");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {add_, remove_, up_, down_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    auto* box = new QGroupBox("Soundfile Directories");
    auto* inner = new QVBoxLayout(box);
    inner->addWidget(directories_, 1);
    inner->addLayout(buttons);
    inner->addWidget(note_);
    connect(add_, &QPushButton::clicked, this, &TSettingsForm::AddDirectory);
    connect(remove_, &QPushButton::clicked, this, &TSettingsForm::RemoveDirectory);
    connect(up_, &QPushButton::clicked, this, [this] { MoveDirectory(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { MoveDirectory(1); });
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(box);
    return page;
}

void TSettingsForm::FormShow() {
    KDWaveStream& stream = engine_.WaveStream();
    TDeviceGrid::Choices outputs{};
    TDeviceGrid::Choices inputs{};
    for (int i = 0; i < TDeviceGrid::kRows; ++i) {
        outputs[i] = engine_.OutDevice(i);
        inputs[i] = engine_.InDevice(i);
    }
    const auto& outNames = stream.OutputDeviceNames();
    const auto& inNames = stream.InputDeviceNames();
    output_->Grid().SetDevices(outNames,
                               ChannelCounts(static_cast<int>(outNames.size()),
                                             &KDWaveStream::OutputDeviceChannelCount, stream));
    input_->Grid().SetDevices(inNames,
                              ChannelCounts(static_cast<int>(inNames.size()),
                                            &KDWaveStream::InputDeviceChannelCount, stream));
    output_->Grid().SetChoices(outputs);
    input_->Grid().SetChoices(inputs);
    output_->ShowBuffers(stream.OutputBufferSize(), stream.OutputBufferCount());
    input_->ShowBuffers(stream.InputBufferSize(), stream.InputBufferCount());
    {
        const QSignalBlocker block(output_->OverdriveBox());
        output_->OverdriveBox()->setChecked(stream.Overdrive());
    }

    directories_->clear();
    for (const std::string& d : sharedSoundFilePaths().searchPaths())
        directories_->addItem(QString::fromStdString(d));

    VTMidiInputs& midi = engine_.MidiInputs();
    midi.RefreshDeviceLists();
    FillMidiList(*controllers_, midi.controllersIn().deviceNames(), midi.ControllersDevice());
    FillMidiList(*sync_, midi.syncIn().deviceNames(), midi.SyncInDevice());

    pages_->setCurrentIndex(0);
    apply_->setEnabled(false);
}

void TSettingsForm::Changed() { apply_->setEnabled(true); }

void TSettingsForm::Ok() {
    if (apply_->isEnabled()) Apply();
    accept();
}

void TSettingsForm::Apply() {
    CorrectInputSize();
    const bool wasRunning = engine_.IsAudioRunning();
    if (wasRunning) engine_.StopAudio();

    KDWaveStream& stream = engine_.WaveStream();
    stream.SetOutputBufferCount(output_->ChosenCount());
    stream.SetOutputBufferSize(output_->ChosenSize());
    stream.SetInputBufferCount(input_->ChosenCount());
    stream.SetInputBufferSize(input_->ChosenSize());
    for (int i = 0; i < TDeviceGrid::kRows; ++i) {
        engine_.SetOutDevice(i, output_->Grid().GetChoices()[i]);
        engine_.SetInDevice(i, input_->Grid().GetChoices()[i]);
    }
    stream.SetOverdrive(output_->OverdriveBox()->isChecked());
    if (wasRunning) StartAudioAgain();

    ReplaceSearchPaths();
    engine_.MidiInputs().SetMidiDevices(controllers_->currentIndex() - 1,
                                        sync_->currentIndex() - 1);
    apply_->setEnabled(false);
}

// Input buffers shorter than output buffers would starve the input side; the output size wins.
void TSettingsForm::CorrectInputSize() {
    const int outSize = output_->ChosenSize();
    if (input_->ChosenSize() >= outSize) return;
    input_->SelectSize(outSize);
    VTMessageBox::show(kInvalidInputText, kInvalidInputCaption, VTMessageButtons::Ok,
                       VTMessageIcon::Warning);
}

// A device that will not start with the new choice says why; audio stays off and the rest of
// the settings still take effect, so the user can correct the choice and apply again.
void TSettingsForm::StartAudioAgain() {
    try {
        engine_.StartAudio();
    } catch (const std::exception& e) {
        VTMessageBox::show(e.what(), "Vantrel", VTMessageButtons::Ok, VTMessageIcon::Stop);
    }
}

// File-playing contraptions resolve names through the list while they process, under the
// signal context's lock; replacing it under the same lock keeps them from reading it half-made.
void TSettingsForm::ReplaceSearchPaths() {
    std::vector<std::string> list;
    for (int i = 0; i < directories_->count(); ++i)
        list.push_back(directories_->item(i)->text().toStdString());
    SGDynSigContext* context = engine_.SignalContext();
    if (context) context->lock();
    sharedSoundFilePaths().setSearchPaths(list);
    if (context) context->unlock();
}

void TSettingsForm::AddDirectory() {
    if (chooser_->exec() != QDialog::Accepted) return;
    QString directory = chooser_->Path();
    if (!directory.endsWith('/')) directory += '/';
    directories_->addItem(directory);
    Changed();
}

void TSettingsForm::RemoveDirectory() {
    const int row = directories_->currentRow();
    if (row < 0 || !directories_->currentItem()->isSelected()) return;
    delete directories_->takeItem(row);
    Changed();
}

void TSettingsForm::MoveDirectory(int step) {
    const int row = directories_->currentRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= directories_->count()) return;
    directories_->insertItem(to, directories_->takeItem(row));
    directories_->setCurrentRow(to);
    Changed();
}
