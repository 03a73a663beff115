// Enable Audio, the transport commands, the tempo field, both timers, the meters and the
// status panel, with a simulated engine.
#include <QLabel>

#include "GuiFixture.h"
#include "app/gui/TMeterToolBar.h"
#include "app/gui/TStatusLoadPanel.h"

namespace vantrel::test {
namespace {

class Transport : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        make();
    }
    QAction* audioItem() { return form->MenuAction("Enable &Audio"); }
    QString timecode() { return form->Timecode().text(); }
};

TEST_F(Transport, EnableAudioStartsAndStopsAndRunsBothTimersMeanwhile) {
    EXPECT_FALSE(form->CpuLoadTimer().isActive());
    EXPECT_FALSE(form->MeterAndClockTimer().isActive());
    audioItem()->trigger();
    EXPECT_TRUE(engine.running);
    EXPECT_TRUE(audioItem()->isChecked());
    EXPECT_TRUE(form->ButtonAction("Enable Audio")->isChecked()) << "the button stays down";
    EXPECT_TRUE(form->CpuLoadTimer().isActive());
    EXPECT_EQ(form->CpuLoadTimer().interval(), 1000);
    EXPECT_TRUE(form->MeterAndClockTimer().isActive());
    EXPECT_EQ(form->MeterAndClockTimer().interval(), 50);

    form->InputMeters().Meter(0).SetValues(0, 0.5f);
    form->LoadPanel().Show("CPU Load: 3.00", false);
    audioItem()->trigger();
    EXPECT_FALSE(engine.running);
    EXPECT_FALSE(audioItem()->isChecked());
    EXPECT_FALSE(form->CpuLoadTimer().isActive());
    EXPECT_FALSE(form->MeterAndClockTimer().isActive());
    EXPECT_EQ(form->InputMeters().Meter(0).Values(0), 0.0f) << "meters cleared";
    EXPECT_FALSE(form->LoadPanel().Active()) << "status panel emptied";
}

TEST_F(Transport, AFailedStartSaysSoAndLeavesAudioOff) {
    engine.failStart = true;
    form->EnableAudio();
    ASSERT_EQ(box.messages.size(), 1u);
    EXPECT_EQ(box.messages[0].text, "An error occurred while starting real-time audio.");
    EXPECT_EQ(box.messages[0].caption, "Vantrel");
    EXPECT_EQ(box.messages[0].buttons, VTMessageButtons::Ok);
    EXPECT_EQ(box.messages[0].icon, VTMessageIcon::Stop);
    EXPECT_FALSE(audioItem()->isChecked());
    EXPECT_FALSE(form->CpuLoadTimer().isActive());
}

TEST_F(Transport, PlayFromStartStartsAudioAndAgainStopsWhereItIs) {
    doc().SetSongPosition(200);
    form->MenuAction("&Play")->trigger();
    EXPECT_TRUE(doc().IsPlaying());
    EXPECT_EQ(doc().SongPosition(), 0.0);
    EXPECT_TRUE(engine.running);
    EXPECT_TRUE(form->MenuAction("&Play")->isChecked());
    EXPECT_TRUE(form->ButtonAction("Play")->isChecked());

    doc().SetSongPosition(50);
    form->ButtonAction("Play From Start")->trigger();
    EXPECT_FALSE(doc().IsPlaying());
    EXPECT_EQ(doc().SongPosition(), 50.0) << "stopping leaves the position";
    EXPECT_FALSE(form->ButtonAction("Play")->isChecked());
    EXPECT_TRUE(engine.running) << "audio goes on";
}

TEST_F(Transport, PlayGoesOnFromThePositionAndStopStops) {
    doc().SetSongPosition(96);
    form->ButtonAction("Play")->trigger();
    EXPECT_TRUE(doc().IsPlaying());
    EXPECT_EQ(doc().SongPosition(), 96.0);
    form->MenuAction("&Stop")->trigger();
    EXPECT_FALSE(doc().IsPlaying());
    EXPECT_FALSE(form->ButtonAction("Play")->isChecked());
}

TEST_F(Transport, PlayWhoseAudioCannotStartStillPlaysAndShowsTheDevicesMessage) {
    engine.failStart = true;
    form->ButtonAction("Play")->trigger();
    EXPECT_TRUE(doc().IsPlaying());
    EXPECT_FALSE(engine.running);
    ASSERT_EQ(box.messages.size(), 1u);
    EXPECT_EQ(box.messages[0].text, engine.failText);
}

TEST_F(Transport, TheTimecodeShowsBarAndBeatAfterGoToStart) {
    doc().SetSongPosition(500);
    form->ButtonAction("Go to Start")->trigger();
    EXPECT_EQ(doc().SongPosition(), 0.0);
    EXPECT_EQ(timecode(), QString::fromUtf8("000 \u00B7 0"));
    form->ButtonAction("Play")->trigger();
    engine.snapshot.clockTicks = 0;
    form->MeterAndClockTimer().timeout({});
    EXPECT_EQ(timecode(), QString::fromUtf8("0 \u00B7 1"));
    engine.snapshot.clockTicks = 96 * 12 + 24 * 2 + 5;
    form->MeterAndClockTimer().timeout({});
    EXPECT_EQ(timecode(), QString::fromUtf8("12 \u00B7 3"));
}

TEST_F(Transport, TheMeterTimerGivesEachMeterItsTwoValues) {
    form->EnableAudio();
    for (int i = 0; i < 16; ++i) {
        engine.snapshot.inputMeters[static_cast<std::size_t>(i)] = 0.01f * float(i + 1);
        engine.snapshot.outputMeters[static_cast<std::size_t>(i)] = 0.5f + 0.01f * float(i);
    }
    form->MeterAndClockTimer().timeout({});
    EXPECT_FLOAT_EQ(form->InputMeters().Meter(0).Values(0), 0.01f);
    EXPECT_FLOAT_EQ(form->InputMeters().Meter(0).Values(1), 0.02f);
    EXPECT_FLOAT_EQ(form->InputMeters().Meter(7).Values(1), 0.16f);
    EXPECT_FLOAT_EQ(form->OutputMeters().Meter(3).Values(0), 0.56f);
}

TEST_F(Transport, WithAudioOffAndMidiOnTheTimerRunsButLeavesMetersAlone) {
    engine.canMidi = true;
    form->UpdateControlMenu();
    EXPECT_TRUE(form->MenuAction("Enable &MIDI Controllers")->isEnabled());
    form->MenuAction("Enable &MIDI Controllers")->trigger();
    EXPECT_TRUE(engine.midiOn);
    EXPECT_TRUE(form->MenuAction("Enable &MIDI Controllers")->isChecked());
    EXPECT_TRUE(form->MeterAndClockTimer().isActive());
    EXPECT_FALSE(form->CpuLoadTimer().isActive());
    engine.snapshot.inputMeters.fill(0.9f);
    engine.snapshot.clockTicks = 960;
    form->MeterAndClockTimer().timeout({});
    EXPECT_EQ(form->InputMeters().Meter(0).Values(0), 0.0f);
    EXPECT_EQ(timecode(), QString::fromUtf8("000 \u00B7 0"));
    form->MenuAction("Enable &MIDI Controllers")->trigger();
    EXPECT_FALSE(engine.midiOn);
    EXPECT_FALSE(form->MeterAndClockTimer().isActive());
}

TEST_F(Transport, MidiAndChaseItemsNeedTheirDevices) {
    form->UpdateControlMenu();
    EXPECT_TRUE(audioItem()->isEnabled());
    EXPECT_FALSE(form->MenuAction("Enable &MIDI Controllers")->isEnabled());
    EXPECT_FALSE(form->MenuAction("&Chase Sync")->isEnabled());
    engine.canChase = true;
    form->UpdateControlMenu();
    EXPECT_TRUE(form->MenuAction("&Chase Sync")->isEnabled());
    form->MenuAction("&Chase Sync")->trigger();
    EXPECT_TRUE(engine.chaseOn);
    EXPECT_TRUE(form->MenuAction("&Chase Sync")->isChecked());
}

TEST_F(Transport, TheCpuLoadPanelShowsTheLoadInRedAfterAnOverload) {
    form->EnableAudio();
    form->CpuLoadTimer().timeout({});
    EXPECT_TRUE(form->LoadPanel().Active());
    EXPECT_EQ(form->LoadPanel().Text(), "CPU Load: 12.50");
    EXPECT_NE(form->LoadPanel().TextColor(), QColor(Qt::red));
    engine.overload = true;
    form->CpuLoadTimer().timeout({});
    EXPECT_EQ(form->LoadPanel().TextColor(), QColor(Qt::red));
    EXPECT_FALSE(engine.overload) << "reading it clears it";
    form->CpuLoadTimer().timeout({});
    EXPECT_NE(form->LoadPanel().TextColor(), QColor(Qt::red));
}

TEST_F(Transport, TheTempoFieldSetsTheDocumentsTempo) {
    ASSERT_FALSE(doc().IsModified());
    KDNumberEdit& tempo = form->TempoEdit();
    tempo.KeyDown({KDKey::Up, 0, ssNone});
    EXPECT_DOUBLE_EQ(doc().Tempo(), 122.0) << "the automatic step is 2";
    EXPECT_EQ(tempo.Text(), "122.0");
    EXPECT_TRUE(doc().IsModified());
    tempo.KeyDown({KDKey::Character, U'a', ssCtrl});
    tempo.TypeText("90");
    EXPECT_NEAR(doc().Tempo(), 90.0, 1e-9);
}

}  // namespace
}  // namespace vantrel::test

namespace vantrel::test {
namespace {

TEST_F(Transport, TheSyncNoticeBringsThePlayButtonUpToDate) {
    doc().Start();  // as the clock chase does on a MIDI start
    EXPECT_FALSE(form->ButtonAction("Play")->isChecked());
    form->PostSyncPlaybackChanged();
    settle();
    EXPECT_TRUE(form->ButtonAction("Play")->isChecked());
}

}  // namespace
}  // namespace vantrel::test
