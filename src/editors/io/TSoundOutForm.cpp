#include "editors/io/TSoundOutForm.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <cmath>

#include "audio/VTSoundOut.h"
#include "contraptions/VTContraption.h"
#include "editors/VTDecimalText.h"
#include "editors/VTPropertyControlBinding.h"
#include "editors/VTPropertyValue.h"
#include "editors/VTSignalLock.h"
#include "editors/VTSoundFileChooser.h"
#include "editors/io/VTFileRow.h"

namespace {

enum RecorderState { kNoFile = -1, kIdle = 0, kRecording = 1, kWaiting = 2, kPlaying = 3 };
enum Action { kStop = 0, kPlay = 1, kRecord = 2 };
enum PunchMode { kManual = 0, kSoundInSync = 1, kTimed = 2 };

// The record pictures: a red dot, with two bars over it while waiting for the sound input.
QIcon recordIcon(bool paused) {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(200, 0, 0));
    p.setPen(Qt::NoPen);
    p.drawEllipse(2, 2, 12, 12);
    if (paused) {
        p.setBrush(Qt::white);
        p.drawRect(5, 5, 2, 6);
        p.drawRect(9, 5, 2, 6);
    }
    return QIcon(picture);
}

}  // namespace

QString TSoundOutForm::durationText(double milliseconds) {
    return twoDecimalsText(milliseconds * 0.001) + " (sec)";
}

TSoundOutForm::TSoundOutForm(VTContraption& contraption)
    : TContraptionForm(contraption), output_(dynamic_cast<VTSoundOut*>(&contraption.processor())) {
    setWindowTitle("Sound Output");
    QWidget* client = clientArea();

    const VTFileRow file(client, "Select Output File", 8, 6, 170);
    open_ = file.open;
    fileLabel_ = file.panel;
    QObject::connect(open_, &QPushButton::clicked, this, [this] { OpenClick(); });
    durationText_ = new QLabel(client);
    durationText_->setGeometry(214, 6, 90, 24);

    addLabel("Record mode:", 8, 38)->setFixedHeight(22);
    fileMode_ = new QComboBox(client);
    fileMode_->addItems({"Append", "Overwrite"});
    fileMode_->setGeometry(96, 38, 110, 22);
    QObject::connect(fileMode_, &QComboBox::activated, this, [this](int i) {
        VTPropertyValue::set(output_->fileMode, i);
        userEdited();
    });
    addLabel("Punch mode:", 8, 66)->setFixedHeight(22);
    punchMode_ = new QComboBox(client);
    punchMode_->addItems({"Manual", "SoundIn Sync", "Timed"});
    punchMode_->setGeometry(96, 66, 110, 22);
    QObject::connect(punchMode_, &QComboBox::activated, this, [this](int i) {
        VTPropertyValue::set(output_->punchMode, i);
        showState();
        userEdited();
    });
    duration_ = new KDQtHosted<KDNumberEdit>(client);
    duration_->setGeometry(212, 66, 60, 22);
    DurationEdit().SetAutoIncrement(false);
    DurationEdit().SetIncrement(1.0);
    DurationEdit().SetMax(10000);
    DurationEdit().SetMin(0.1);
    durationUnits_ = addLabel("(sec)", 276, 69);
    bindNotify([this] { DurationEdit().SetValue(output_ ? output_->recordDuration.value() : 0); },
               "RecordDuration");
    DurationEdit().OnChange = [this](KDNumberEdit&, double seconds) {
        if (!output_) return;
        output_->recordDuration.setValue(int(std::trunc(seconds)));
        userEdited();
    };

    record_ = new QPushButton(client);
    record_->setGeometry(8, 96, 28, 24);
    QObject::connect(record_, &QPushButton::clicked, this, [this] { RecordClick(); });
    play_ = new QPushButton(client);
    play_->setGeometry(40, 96, 28, 24);
    QObject::connect(play_, &QPushButton::clicked, this, [this] { PlayClick(); });
    track_ = new QSlider(Qt::Horizontal, client);
    track_->setRange(0, 10000);
    track_->setEnabled(false);  // shows where the recorder is; it cannot be moved
    track_->setGeometry(76, 98, 228, 22);

    for (const char* name : {"OutputFile", "Action", "FileMode", "PunchMode"}) bindNull(name, 1);
    addNotifier(1, [this] { showState(); });
    timer_.setInterval(100);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { TimerTick(); });
    setClientSize(310, 126);
}

bool TSoundOutForm::usable() const { return output_ && output_->recorderState.value() != kNoFile; }

void TSoundOutForm::showRecord(const QString& picture) {
    recordShows_ = picture;
    record_->setIcon(picture == "STOP" ? style()->standardIcon(QStyle::SP_MediaStop)
                                       : recordIcon(picture == "REC_PAUSED"));
}

void TSoundOutForm::showPlay(const QString& picture) {
    playShows_ = picture;
    play_->setIcon(
        style()->standardIcon(picture == "STOP" ? QStyle::SP_MediaStop : QStyle::SP_MediaPlay));
}

void TSoundOutForm::showState() {
    if (!output_) return;
    fileMode_->setCurrentIndex(output_->fileMode.value() == 1 ? 1 : 0);
    const int punch = output_->punchMode.value();
    punchMode_->setCurrentIndex(punch >= kManual && punch <= kTimed ? punch : kManual);
    duration_->setEnabled(punch == kTimed);
    durationUnits_->setEnabled(punch == kTimed);

    const int state = output_->recorderState.value();
    const bool hasFile = state != kNoFile;
    fileLabel_->setText(hasFile ? VTFileRow::fileNameOf(output_->outputFile.text()) : QString());
    durationText_->setText(hasFile ? durationText(output_->fileDuration.value()) : QString());
    const bool busyRecording = state == kRecording || state == kWaiting;
    play_->setEnabled(state == kIdle || state == kPlaying);
    record_->setEnabled(hasFile && state != kPlaying);
    fileMode_->setEnabled(state == kIdle);
    punchMode_->setEnabled(hasFile);
    showRecord(state == kWaiting ? "REC_PAUSED" : busyRecording ? "STOP" : "RECORD");
    showPlay(state == kPlaying ? "STOP" : "PLAY");
    showPosition();
    if (state > kIdle) timer_.start();
}

void TSoundOutForm::showPosition() {
    const double length = output_ ? output_->fileDuration.value() : 0.0;
    track_->setValue(length > 0 ? int(std::trunc(output_->playPosition.value() / length * 10000))
                                : 0);
}

void TSoundOutForm::OpenClick() {
    if (!output_) return;
    const char* current = output_->outputFile.text();
    const std::optional<std::string> chosen =
        VTSoundFileChooser::chooseOutput(this, current ? current : "");
    if (!chosen) return;
    {
        VTSignalLock lock(output_->context());
        output_->outputFile.setValue(chosen->c_str());
        output_->openOutputFile();
    }
    showState();
    userEdited();
}

void TSoundOutForm::RecordClick() {
    if (!output_) return;
    VTSignalLock lock(output_->context());
    const int state = output_->recorderState.value();
    if (state == kRecording || state == kWaiting) {
        output_->action.setValue(kStop);
    } else if (usable()) {
        output_->action.setValue(kRecord);
        showRecord(output_->punchMode.value() == kSoundInSync ? "REC_PAUSED" : "STOP");
        play_->setEnabled(false);
        fileMode_->setEnabled(false);
        timer_.start();
    }
}

void TSoundOutForm::PlayClick() {
    if (!output_) return;
    VTSignalLock lock(output_->context());
    if (output_->recorderState.value() == kPlaying) {
        output_->action.setValue(kStop);
        showPlay("PLAY");
        record_->setEnabled(true);
    } else if (usable()) {
        output_->action.setValue(kPlay);
        showPlay("STOP");
        record_->setEnabled(false);
        timer_.start();
    }
}

void TSoundOutForm::TimerTick() {
    if (!output_) return;
    showPosition();
    durationText_->setText(durationText(output_->fileDuration.value()));
    const int state = output_->recorderState.value();
    if (state == kRecording && recordShows_ == "REC_PAUSED") showRecord("STOP");
    if (state == kIdle && output_->action.value() == kStop) {
        showRecord("RECORD");
        showPlay("PLAY");
        record_->setEnabled(true);
        play_->setEnabled(true);
        fileMode_->setEnabled(true);
        timer_.stop();
    }
}
