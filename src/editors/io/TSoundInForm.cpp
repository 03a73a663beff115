#include "editors/io/TSoundInForm.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <cmath>

#include "audio/VTSoundIn.h"
#include "contraptions/VTContraption.h"
#include "editors/VTPropertyControlBinding.h"
#include "editors/VTSignalLock.h"
#include "editors/VTSoundFileChooser.h"
#include "editors/io/VTDeviceUse.h"
#include "editors/io/VTFileRow.h"

TSoundInForm::TSoundInForm(VTContraption& contraption)
    : TContraptionForm(contraption), input_(dynamic_cast<VTSoundIn*>(&contraption.processor())) {
    setWindowTitle("Sound Input");
    QWidget* client = clientArea();

    useFile_ = new QCheckBox("Use Input File", client);
    useFile_->move(8, 6);
    bindCheckBox(*useFile_, "UseADC", false);
    QObject::connect(useFile_, &QCheckBox::clicked, this, [this] { UseInputFileClick(); });

    const VTFileRow file(client, "Select Source File", 8, 30, 230);
    open_ = file.open;
    fileLabel_ = file.panel;
    QObject::connect(open_, &QPushButton::clicked, this, [this] { OpenClick(); });

    play_ = new QPushButton(client);
    play_->setGeometry(8, 60, 28, 24);
    QObject::connect(play_, &QPushButton::clicked, this, [this] { PlayClick(); });
    loop_ = new QCheckBox("Loop", client);
    loop_->move(44, 63);
    bindCheckBox(*loop_, "Loop");
    autoRewind_ = new QCheckBox("Auto Rewind", client);
    autoRewind_->move(104, 63);
    bindCheckBox(*autoRewind_, "AutoRewind");

    addLabel("Delay:", 8, 92)->setFixedHeight(21);
    delay_ = new KDQtHosted<KDNumberEdit>(client);
    delay_->setGeometry(50, 92, 64, 21);
    DelayEdit().SetAutoIncrement(false);
    DelayEdit().SetIncrement(1.0);
    DelayEdit().SetMax(600);
    DelayEdit().SetMin(0);
    addLabel("(seconds)", 118, 95);
    // The field shows seconds; the parameter holds milliseconds.
    bindNotify([this] { DelayEdit().SetValue(input_ ? input_->loopDelay.value() * 0.001 : 0); },
               "LoopDelay");
    DelayEdit().OnChange = [this](KDNumberEdit&, double seconds) {
        if (!input_) return;
        input_->loopDelay.setValue(seconds * 1000);
        userEdited();
    };

    track_ = new QSlider(Qt::Horizontal, client);
    track_->setRange(0, 10000);
    track_->setGeometry(8, 120, 264, 22);
    QObject::connect(track_, &QSlider::sliderMoved, this, [this](int p) { trackMoved(p); });

    bindNull("InputFile", 1);
    bindNull("FileIsGood", 1);
    addNotifier(1, [this] { showFile(); });
    timer_.setInterval(100);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { TimerTick(); });
    setClientSize(280, 148);
    showPlaying(input_ && input_->isFilePlaying());
    if (showsPause_) timer_.start();
}

void TSoundInForm::showFile() {
    const bool good = input_ && input_->fileIsGood.value();
    fileLabel_->setText(good ? QString("duration: %1 %2")
                                   .arg(input_->duration.value() * 0.001)
                                   .arg(VTFileRow::fileNameOf(input_->inputFile.text()))
                             : QString());
    enableFileControls();
}

void TSoundInForm::enableFileControls() {
    const bool fileMode = useFile_->isChecked();
    const bool good = input_ && input_->fileIsGood.value();
    for (QWidget* w : std::initializer_list<QWidget*>{open_, loop_, autoRewind_, delay_, track_})
        w->setEnabled(fileMode);
    play_->setEnabled(fileMode && good);
}

void TSoundInForm::showPlaying(bool playing) {
    showsPause_ = playing;
    play_->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
}

void TSoundInForm::UseInputFileClick() {
    if (!useFile_->isChecked() && input_ && input_->active.value()) {
        input_->active.setValue(false);
        showPlaying(false);
    }
    enableFileControls();
    VTDeviceUse::changed();
}

void TSoundInForm::OpenClick() {
    if (!input_) return;
    const char* current = input_->inputFile.text();
    const std::optional<std::string> chosen =
        VTSoundFileChooser::choose(this, current ? current : "");
    if (!chosen) return;
    {
        VTSignalLock lock(input_->context());
        input_->inputFile.setValue(chosen->c_str());
        input_->openInputFile();
    }
    showPlaying(false);
    showFile();
    userEdited();
}

void TSoundInForm::PlayClick() {
    if (!input_) return;
    if (input_->active.value()) {
        input_->active.setValue(false);
        showPlaying(false);
    } else if (input_->fileIsGood.value()) {
        input_->active.setValue(true);
        showPlaying(true);
        timer_.start();
    }
}

void TSoundInForm::TimerTick() {
    if (!input_) return;
    const double duration = input_->duration.value();
    if (!track_->isSliderDown())
        track_->setValue(duration > 0 ? int(std::trunc(input_->location.value() / duration * 10000))
                                      : 0);
    if (!input_->active.value()) {
        showPlaying(false);
        timer_.stop();
    }
}

void TSoundInForm::trackMoved(int position) {
    if (!input_ || input_->duration.value() == 0.0) return;
    input_->location.setValue(input_->duration.value() * position * 1e-4);
}
