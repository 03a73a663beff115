#pragma once

#include <QString>
#include <string>

#include "editors/TContraptionForm.h"
#include "ui/KDDWKnob.h"
#include "ui/qt/KDQtHosted.h"

class QCheckBox;
class QPushButton;
class SGProperty;
class VTGateGrid;

// "Drums": per row a sample file, a volume and a mute switch, and the 32-step pattern of all
// five rows; the master volume and mute, the choke between rows 1 and 2, and buttons that move
// every pattern a step earlier or later.
class TDrumsForm : public TContraptionForm {
public:
    static constexpr int kRows = 5;
    static constexpr int kSteps = 32;

    explicit TDrumsForm(VTContraption& contraption);

    KDDWKnob& VolumeKnob() const { return volume_->control(); }
    KDDWKnob& RowVolumeKnob(int row) const { return rowVolume_[row]->control(); }
    QCheckBox& MuteCheckBox() const { return *mute_; }
    QCheckBox& Gate0And1CheckBox() const { return *choke_; }
    QCheckBox& RowMuteCheckBox(int row) const { return *rowMute_[row]; }
    QPushButton& FileButton(int row) const { return *file_[row]; }
    VTGateGrid& Grid() const { return *grid_; }

    void ReframeLeft();
    void ReframeRight();
    void chooseFile(int row);

    // A file button's caption for a stored name: "[ empty ]" for none, else the name without
    // its extension, its last 16 characters after "..." when longer, and " !" when missing.
    static QString fileCaption(const std::string& name);

private:
    void showFiles();
    bool gateSet(int row, int step) const;
    void toggle(int row, int step);
    void rotate(bool left);

    KDQtHosted<KDDWKnob>* volume_;
    KDQtHosted<KDDWKnob>* rowVolume_[kRows];
    QCheckBox* mute_;
    QCheckBox* choke_;
    QCheckBox* rowMute_[kRows];
    QPushButton* file_[kRows];
    VTGateGrid* grid_;
    SGProperty* files_[kRows];
    SGProperty* gates_[kRows];
};
