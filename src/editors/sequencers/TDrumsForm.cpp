#include "editors/sequencers/TDrumsForm.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <cstdint>

#include "editors/VTGateGrid.h"
#include "editors/VTPropertyControlBinding.h"
#include "editors/VTPropertyValue.h"
#include "editors/VTSoundFileChooser.h"
#include "params/SGCStringProperty.h"
#include "params/SGIntProperty.h"
#include "wave/SharedSoundFilePaths.h"

namespace {

constexpr int kRowsNotifier = 1;  // files and patterns
constexpr int kKnobSize = 30;
constexpr int kRowTop = 68;
constexpr int kRowStep = 17;  // a grid cell and its line
constexpr int kGridLeft = 196;

std::string rowName(const char* prefix, int row) { return prefix + std::to_string(row); }

std::string textOf(SGProperty& p) {
    auto* text = dynamic_cast<SGCStringProperty*>(&p);
    return text && text->text() ? text->text() : "";
}

}  // namespace

QString TDrumsForm::fileCaption(const std::string& name) {
    if (name.empty()) return "[ empty ]";
    QString shown = QString::fromStdString(name.size() > 4 ? name.substr(0, name.size() - 4) : "");
    if (shown.size() > 16) shown = "..." + shown.right(16);
    if (!sharedSoundFilePaths().soundFileExists(name)) shown += " !";
    return shown;
}

TDrumsForm::TDrumsForm(VTContraption& contraption) : TContraptionForm(contraption) {
    setWindowTitle("Drums");
    QWidget* client = clientArea();

    volume_ = new KDQtHosted<KDDWKnob>(client);
    volume_->setGeometry(8, 6, kKnobSize + 5, kKnobSize + 5);
    addLabel("Volume", 2, 42, 48, Qt::AlignHCenter);
    bindKnob(VolumeKnob(), "Volume");
    mute_ = new QCheckBox("Mute", client);
    mute_->move(60, 8);
    bindCheckBox(*mute_, "Mute");
    choke_ = new QCheckBox("Gate 1 && 2", client);  // a doubled ampersand shows as one
    choke_->move(60, 30);
    bindCheckBox(*choke_, "Gate0And1");

    for (int r = 0; r < kRows; ++r) {
        const int top = kRowTop + kRowStep * r;
        addLabel(QString::number(r + 1), 2, top, 10)->setFixedHeight(16);
        file_[r] = new QPushButton(client);
        file_[r]->setGeometry(14, top, 120, 16);
        QObject::connect(file_[r], &QPushButton::clicked, this, [this, r] { chooseFile(r); });
        rowMute_[r] = new QCheckBox(client);
        rowMute_[r]->setGeometry(138, top, 18, 16);
        rowMute_[r]->setToolTip("Mute");
        bindCheckBox(*rowMute_[r], rowName("Mutes_", r));
        files_[r] = &bindNull(rowName("File_", r), kRowsNotifier).property;
        gates_[r] = &bindNull(rowName("Gates_", r), kRowsNotifier).property;
    }
    addLabel("Mute", 132, kRowTop - 16);

    // The row volumes sit in a column of their own, numbered like the rows.
    for (int r = 0; r < kRows; ++r) {
        const int left = kGridLeft + (kKnobSize + 10) * r;
        rowVolume_[r] = new KDQtHosted<KDDWKnob>(client);
        rowVolume_[r]->setGeometry(left, 4, kKnobSize, kKnobSize);
        addLabel(QString::number(r + 1), left, 34, kKnobSize, Qt::AlignHCenter);
        bindKnob(RowVolumeKnob(r), rowName("Volume_", r));
    }

    grid_ = new VTGateGrid(kRows, kSteps, 11, 16, client);
    grid_->move(kGridLeft, kRowTop - 1);
    grid_->isOn = [this](int row, int step) { return gateSet(row, step); };
    grid_->OnToggle = [this](int row, int step) { toggle(row, step); };
    for (int beat = 0; beat < 8; ++beat)
        addLabel(QString("| %1").arg(beat % 4 + 1), kGridLeft + 1 + beat * 4 * 12, kRowTop - 16);

    const int buttonsTop = grid_->geometry().bottom() + 6;
    addLabel("Reframe:", kGridLeft, buttonsTop + 3);
    auto* left = new QPushButton("<", client);
    left->setGeometry(kGridLeft + 60, buttonsTop, 24, 22);
    QObject::connect(left, &QPushButton::clicked, this, [this] { ReframeLeft(); });
    auto* right = new QPushButton(">", client);
    right->setGeometry(kGridLeft + 86, buttonsTop, 24, 22);
    QObject::connect(right, &QPushButton::clicked, this, [this] { ReframeRight(); });

    addNotifier(kRowsNotifier, [this] {
        showFiles();
        grid_->update();
    });
    setClientSize(grid_->geometry().right() + 8, buttonsTop + 28);
}

void TDrumsForm::showFiles() {
    for (int r = 0; r < kRows; ++r) file_[r]->setText(fileCaption(textOf(*files_[r])));
}

bool TDrumsForm::gateSet(int row, int step) const {
    const auto bits = std::uint32_t(std::int32_t(VTPropertyValue::get(*gates_[row])));
    return (bits >> step) & 1u;
}

void TDrumsForm::toggle(int row, int step) {
    const auto bits = std::uint32_t(std::int32_t(VTPropertyValue::get(*gates_[row])));
    VTPropertyValue::set(*gates_[row], double(std::int32_t(bits ^ (1u << step))));
    grid_->update();
    userEdited();
}

void TDrumsForm::rotate(bool left) {
    for (SGProperty* gates : gates_) {
        const auto bits = std::uint32_t(std::int32_t(VTPropertyValue::get(*gates)));
        const std::uint32_t moved = left ? (bits >> 1) | (bits << 31) : (bits << 1) | (bits >> 31);
        VTPropertyValue::set(*gates, double(std::int32_t(moved)));
    }
    grid_->update();
    userEdited();
}

void TDrumsForm::ReframeLeft() { rotate(true); }
void TDrumsForm::ReframeRight() { rotate(false); }

void TDrumsForm::chooseFile(int row) {
    if (!VTSoundFileChooser::chooseInto(this, *files_[row])) return;
    showFiles();
    userEdited();
}
