// The sound input's and sound output's editors: file playback in place of the device input,
// and the recorder on the main output.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <vector>

#include "EditorFixture.h"
#include "audio/VTSoundIn.h"
#include "audio/VTSoundOut.h"
#include "editors/VTSoundFileChooser.h"
#include "editors/io/TSoundInForm.h"
#include "editors/io/TSoundOutForm.h"
#include "editors/io/VTDeviceUse.h"
#include "wave/VTWaveOutFile.h"

namespace vantrel::test {
namespace {

// A scratch folder, the file dialog answered with `answer`, and the device-use notices counted.
class DeviceEditor : public KindFormTest {
protected:
    void SetUp() override {
        KindFormTest::SetUp();
        VTSoundFileChooser::setDialog([this](QWidget*, const std::string& initial) {
            asked.push_back(initial);
            return answer;
        });
        VTDeviceUse::setListener([this] { ++deviceUseChanges; });
    }
    void TearDown() override {
        preview->clear();
        VTDeviceUse::setListener(nullptr);
        VTSoundFileChooser::setDialog(nullptr);
        KindFormTest::TearDown();
    }
    // Half a second of 16-bit stereo at 44100 Hz.
    std::string writeTone(const char* name) {
        const std::string path = (dir / name).string();
        VTWaveOutFile file(path, 44100, 2, true);
        std::vector<std::int16_t> samples(2 * 22050, 1000);
        file.writeFrames(samples.data(), 22050);
        file.updateHeader();
        return path;
    }

    ScratchSoundFolder folder{"devices"};
    const std::filesystem::path& dir = folder.path();
    std::optional<std::string> answer;
    std::vector<std::string> asked;
    int deviceUseChanges = 0;
};

TEST_F(DeviceEditor, SoundInSwitchesToAFileAndPlaysIt) {
    auto& form = open<TSoundInForm>("SoundIn");
    auto& in = static_cast<VTSoundIn&>(c->processor());
    EXPECT_FALSE(form.UseInputFileCheckBox().isChecked()) << "the device input at first";
    EXPECT_FALSE(form.OpenButton().isEnabled());

    QTest::mouseClick(&form.UseInputFileCheckBox(), Qt::LeftButton);
    EXPECT_FALSE(in.useADC.value()) << "the box means the opposite of UseADC";
    EXPECT_EQ(deviceUseChanges, 1) << "the engine no longer needs the device input";
    EXPECT_TRUE(form.OpenButton().isEnabled());
    EXPECT_FALSE(form.PlayButton().isEnabled()) << "no file yet";

    answer = writeTone("tone.wav");
    QTest::mouseClick(&form.OpenButton(), Qt::LeftButton);
    EXPECT_STREQ(in.inputFile.text(), answer->c_str()) << "the full path, kept as it is";
    EXPECT_TRUE(in.fileIsGood.value());
    EXPECT_EQ(form.FileLabel().text(), "duration: 0.5 tone.wav");
    EXPECT_TRUE(form.PlayButton().isEnabled());

    QTest::mouseClick(&form.PlayButton(), Qt::LeftButton);
    EXPECT_TRUE(in.active.value());
    EXPECT_TRUE(form.showsPause());
    EXPECT_TRUE(form.Timer().isActive());
    in.location.setValue(125.0);
    form.TimerTick();
    EXPECT_EQ(form.TrackBar().value(), 2500);

    QTest::mouseClick(&form.UseInputFileCheckBox(), Qt::LeftButton);
    EXPECT_FALSE(in.active.value()) << "back to the device: playback stops";
    EXPECT_FALSE(form.showsPause());
    EXPECT_EQ(deviceUseChanges, 2);
    EXPECT_FALSE(form.PlayButton().isEnabled());
}

TEST_F(DeviceEditor, SoundInTimerDelayAndTrackBar) {
    auto& form = open<TSoundInForm>("SoundIn");
    auto& in = static_cast<VTSoundIn&>(c->processor());
    setFromOutside(form, "UseADC", 0.0);  // a document chose the file
    EXPECT_TRUE(form.UseInputFileCheckBox().isChecked());
    answer = writeTone("tone.wav");
    form.OpenClick();
    form.PlayClick();
    in.active.setValue(false);  // the file ended
    form.TimerTick();
    EXPECT_FALSE(form.showsPause());
    EXPECT_FALSE(form.Timer().isActive());

    emit form.TrackBar().sliderMoved(5000);
    EXPECT_DOUBLE_EQ(in.location.value(), 250.0) << "half of the 500 ms";

    setFromOutside(form, "LoopDelay", 1500.0);
    EXPECT_DOUBLE_EQ(form.DelayEdit().Value(), 1.5) << "shown in seconds";
    form.DelayEdit().KeyDown({KDKey::Character, U'a', ssCtrl});
    form.DelayEdit().TypeText("12");
    EXPECT_DOUBLE_EQ(in.loopDelay.value(), 12000.0);
    EXPECT_DOUBLE_EQ(form.DelayEdit().Max(), 600.0);

    QTest::mouseClick(&form.LoopCheckBox(), Qt::LeftButton);
    QTest::mouseClick(&form.AutoRewindCheckBox(), Qt::LeftButton);
    EXPECT_TRUE(in.loop.value());
    EXPECT_TRUE(in.autoRewind.value());
}

TEST_F(DeviceEditor, SoundOutControlsFollowTheRecordersState) {
    auto& form = open<TSoundOutForm>("SoundOut");
    auto& out = static_cast<VTSoundOut&>(c->processor());
    struct Row {
        int state;
        bool play, record, recordMode, punchMode;
        const char* recordShows;
        const char* playShows;
    };
    answer = (dir / "take.wav").string();
    form.OpenClick();
    ASSERT_EQ(out.recorderState.value(), 0);
    for (const Row& r : {Row{-1, false, false, false, false, "RECORD", "PLAY"},
                         Row{0, true, true, true, true, "RECORD", "PLAY"},
                         Row{1, false, true, false, true, "STOP", "PLAY"},
                         Row{2, false, true, false, true, "REC_PAUSED", "PLAY"},
                         Row{3, true, false, false, true, "RECORD", "STOP"}}) {
        SCOPED_TRACE(r.state);
        out.recorderState.setValue(r.state);
        form.refreshAll(true);
        EXPECT_EQ(form.PlayButton().isEnabled(), r.play);
        EXPECT_EQ(form.RecordButton().isEnabled(), r.record);
        EXPECT_EQ(form.RecordModeList().isEnabled(), r.recordMode);
        EXPECT_EQ(form.PunchModeList().isEnabled(), r.punchMode);
        EXPECT_EQ(form.recordShows(), r.recordShows);
        EXPECT_EQ(form.playShows(), r.playShows);
    }
}

TEST_F(DeviceEditor, SoundOutRecordsAndPlaysBackOnTheButtons) {
    auto& form = open<TSoundOutForm>("SoundOut");
    auto& out = static_cast<VTSoundOut&>(c->processor());
    EXPECT_FALSE(form.RecordButton().isEnabled()) << "no file";
    answer = (dir / "take.wav").string();
    QTest::mouseClick(&form.OpenButton(), Qt::LeftButton);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].ends_with("/Untitled.wav"));
    EXPECT_EQ(form.FileLabel().text(), "take.wav");
    EXPECT_EQ(form.DurationLabel().text(), "0.00 (sec)");

    form.RecordClick();
    EXPECT_EQ(out.action.value(), 2);
    EXPECT_EQ(form.recordShows(), "STOP");
    EXPECT_FALSE(form.PlayButton().isEnabled());
    EXPECT_TRUE(form.Timer().isActive());
    out.recorderState.setValue(1);  // the audio thread took it up
    form.RecordClick();
    EXPECT_EQ(out.action.value(), 0) << "a second press stops the take";
    out.recorderState.setValue(0);
    form.TimerTick();
    EXPECT_EQ(form.recordShows(), "RECORD");
    EXPECT_FALSE(form.Timer().isActive());

    QMetaObject::invokeMethod(&form.PunchModeList(), "activated", Q_ARG(int, 1));
    EXPECT_EQ(out.punchMode.value(), 1);
    form.RecordClick();
    EXPECT_EQ(form.recordShows(), "REC_PAUSED") << "waiting for the sound input";
    out.recorderState.setValue(1);
    form.TimerTick();
    EXPECT_EQ(form.recordShows(), "STOP") << "the sound input started";
    out.action.setValue(0);
    out.recorderState.setValue(0);
    form.TimerTick();

    form.PlayClick();
    EXPECT_EQ(out.action.value(), 1);
    EXPECT_EQ(form.playShows(), "STOP");
    EXPECT_FALSE(form.RecordButton().isEnabled());
    out.recorderState.setValue(3);
    form.PlayClick();
    EXPECT_EQ(out.action.value(), 0);
    EXPECT_EQ(form.playShows(), "PLAY");
    EXPECT_TRUE(form.RecordButton().isEnabled());
}

TEST_F(DeviceEditor, SoundOutTimedRecordingLength) {
    auto& form = open<TSoundOutForm>("SoundOut");
    auto& out = static_cast<VTSoundOut&>(c->processor());
    EXPECT_FALSE(form.DurationEdit().Enabled() && form.PunchModeList().currentIndex() != 2);
    QMetaObject::invokeMethod(&form.PunchModeList(), "activated", Q_ARG(int, 2));
    EXPECT_EQ(out.punchMode.value(), 2);
    form.DurationEdit().KeyDown({KDKey::Character, U'a', ssCtrl});
    form.DurationEdit().TypeText("12.7");
    EXPECT_EQ(out.recordDuration.value(), 12) << "whole seconds";
    EXPECT_EQ(TSoundOutForm::durationText(1234.5), "1.23 (sec)");
    EXPECT_EQ(TSoundOutForm::durationText(2000), "2.00 (sec)");
}

}  // namespace
}  // namespace vantrel::test
