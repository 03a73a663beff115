#pragma once

#include <QMenu>
#include <cstdint>

#include "editors/TContraptionForm.h"
#include "editors/synthesisers/VTBasslinePattern.h"
#include "ui/KDDWKnob.h"
#include "ui/qt/KDQtHosted.h"

class QCheckBox;
class QPushButton;
class QToolButton;
class SGProperty;
class VTBassline;
class VTBasslineGrid;

// "Bassline": the synthesiser's knobs, mute and waveform, and its 16-step sequence — gate,
// accent and tie bits and a note per step — with buttons that randomise the pattern, move it a
// step either way and transpose it.
class TBasslineForm : public TContraptionForm {
public:
    static constexpr int kKnobs = 9;

    explicit TBasslineForm(VTContraption& contraption);

    KDDWKnob& Knob(int k) const { return knobs_[k]->control(); }
    QCheckBox& MuteCheckBox() const { return *mute_; }
    QToolButton& SawButton() const { return *saw_; }
    QToolButton& SquareButton() const { return *square_; }
    VTBasslineGrid& Grid() const { return *grid_; }
    QMenu& TransposeMenu() { return transposeMenu_; }

    // The buttons' actions.
    void Randomise();
    void ReframeLeft();
    void ReframeRight();
    void Transpose(int semitones);

    // The randomiser all bassline windows share; each new window seeds it from the clock.
    static void seedRandom(std::uint32_t seed) { randomState() = seed; }

private:
    void showWaveform();
    void toggle(int row, int step);
    void pickNote(int step, QPoint globalPosition);
    void changePattern(const VTBasslinePattern& pattern);
    VTBasslinePattern pattern() const;
    static std::uint32_t& randomState();

    VTBassline* bassline_;
    KDQtHosted<KDDWKnob>* knobs_[kKnobs];
    QCheckBox* mute_;
    QToolButton* saw_;
    QToolButton* square_;
    VTBasslineGrid* grid_;
    QMenu transposeMenu_;
    SGProperty* waveform_;
};
