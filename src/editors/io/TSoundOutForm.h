#pragma once

#include <QString>
#include <QTimer>

#include "editors/TContraptionForm.h"
#include "ui/KDNumberEdit.h"
#include "ui/qt/KDQtHosted.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class VTSoundOut;

// "SoundOut": the recorder on the patch's main output — its file, appending or overwriting,
// starting by hand, with the sound input or for a set time, recording and playing the take back.
class TSoundOutForm : public TContraptionForm {
public:
    explicit TSoundOutForm(VTContraption& contraption);

    QPushButton& OpenButton() const { return *open_; }
    QPushButton& RecordButton() const { return *record_; }
    QPushButton& PlayButton() const { return *play_; }
    QComboBox& RecordModeList() const { return *fileMode_; }
    QComboBox& PunchModeList() const { return *punchMode_; }
    KDNumberEdit& DurationEdit() const { return duration_->control(); }
    QLabel& DurationLabel() const { return *durationText_; }
    QLabel& FileLabel() const { return *fileLabel_; }
    QSlider& TrackBar() const { return *track_; }
    QTimer& Timer() { return timer_; }
    // The pictures the buttons show: "RECORD", "STOP" or "REC_PAUSED"; "PLAY" or "STOP".
    const QString& recordShows() const { return recordShows_; }
    const QString& playShows() const { return playShows_; }

    void OpenClick();
    void RecordClick();
    void PlayClick();
    void TimerTick();

    // A file length as the window shows it: seconds, two decimals, " (sec)".
    static QString durationText(double milliseconds);

private:
    // Every control from the recorder's state.
    void showState();
    void showRecord(const QString& picture);
    void showPlay(const QString& picture);
    void showPosition();
    bool usable() const;

    VTSoundOut* output_;
    QPushButton* open_;
    QPushButton* record_;
    QPushButton* play_;
    QComboBox* fileMode_;
    QComboBox* punchMode_;
    KDQtHosted<KDNumberEdit>* duration_;
    QLabel* durationUnits_;
    QLabel* durationText_;
    QLabel* fileLabel_;
    QSlider* track_;
    QTimer timer_;
    QString recordShows_;
    QString playShows_;
};
