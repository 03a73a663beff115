// The main window over the real engine on simulated devices: a device that cannot be opened
// gives Enable Audio's message and leaves audio off.
#include "GuiFixture.h"
#include "app/gui/VTRealTimeEngineLink.h"
#include "audio/TRealTimeEngine.h"
#include "audio/VTIOContraptionPool.h"
#include "control/VTMidiControlServer.h"
#include "platform/audio/KDAudioSystem.h"
#include "platform/audio/KDSimulatedAudio.h"
#include "platform/midi/KDSimulatedMidiDriver.h"

namespace vantrel::test {
namespace {

TEST_F(MainFormTest, EnableAudioOverTheRealEngineReportsADeviceThatWillNotOpen) {
    KDSimulatedAudio sim;
    sim.AddDevice(KDAudioDirection::Output,
                  {"Broken", 2, true, 0xFFFFFFFFu, 7, "device unplugged"});
    KDAudioSystem system(sim);
    system.AddBackend(sim);
    KDSimulatedMidiDriver midi{{"Keys"}};
    VTMidiControlServer server;
    VTMemorySettingsStore engineSettings;
    TRealTimeEngine engine(system, VTIOContraptionPool::instance(), engineSettings, midi, server);
    for (int i = 0; i < TRealTimeEngine::kLogicalCount; ++i) {
        engine.SetInDevice(i, 0);
        engine.SetOutDevice(i, 0);
    }
    engine.SetOutDevice(0, 1);
    VTRealTimeEngineLink link(engine);

    auto d = std::make_unique<FakeDialogs>();
    TMainForm::Options options;
    options.dialogs = std::move(d);
    options.plugins = &plugins;
    options.volumeCommand = volumeCommand;
    form = std::make_unique<TMainForm>(link, settings, std::move(options));
    EXPECT_EQ(engine.SignalContext(), &doc().Context());
    ASSERT_NE(addFromMenu("SoundOut", 10, 10), nullptr);

    form->EnableAudio();
    EXPECT_FALSE(engine.IsAudioRunning());
    ASSERT_EQ(box.messages.size(), 1u);
    EXPECT_EQ(box.messages[0].text, "An error occurred while starting real-time audio.");
    EXPECT_FALSE(form->MenuAction("Enable &Audio")->isChecked());
    form.reset();
    EXPECT_EQ(engine.SignalContext(), nullptr) << "the engine forgets the document's graph";
}

}  // namespace
}  // namespace vantrel::test
