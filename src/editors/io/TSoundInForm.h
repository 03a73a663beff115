#pragma once

#include <QTimer>

#include "editors/TContraptionForm.h"
#include "ui/KDNumberEdit.h"
#include "ui/qt/KDQtHosted.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class VTSoundIn;

// "SoundIn": the device input, or a wave file played in its place — the file, play and pause,
// looping with a delay between rounds, rewinding at the end, and where playback is.
class TSoundInForm : public TContraptionForm {
public:
    explicit TSoundInForm(VTContraption& contraption);

    QCheckBox& UseInputFileCheckBox() const { return *useFile_; }
    QPushButton& OpenButton() const { return *open_; }
    QPushButton& PlayButton() const { return *play_; }
    QCheckBox& LoopCheckBox() const { return *loop_; }
    QCheckBox& AutoRewindCheckBox() const { return *autoRewind_; }
    KDNumberEdit& DelayEdit() const { return delay_->control(); }
    QSlider& TrackBar() const { return *track_; }
    QLabel& FileLabel() const { return *fileLabel_; }
    QTimer& Timer() { return timer_; }
    // Whether the play button shows the pause picture (playing).
    bool showsPause() const { return showsPause_; }

    void UseInputFileClick();
    void OpenClick();
    void PlayClick();
    void TimerTick();

private:
    void showFile();
    void showPlaying(bool playing);
    void enableFileControls();
    void trackMoved(int position);

    VTSoundIn* input_;
    QCheckBox* useFile_;
    QPushButton* open_;
    QPushButton* play_;
    QCheckBox* loop_;
    QCheckBox* autoRewind_;
    KDQtHosted<KDNumberEdit>* delay_;
    QSlider* track_;
    QLabel* fileLabel_;
    QTimer timer_;
    bool showsPause_ = false;
};
