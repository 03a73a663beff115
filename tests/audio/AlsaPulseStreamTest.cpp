// The wave stream playing through ALSA's default device into a PulseAudio server that the
// test runs itself (a null sink, no sound hardware), recorded from the sink's monitor.
#include <alsa/asoundlib.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <numbers>
#include <thread>

#include "SoundServers.h"
#include "ToneCheck.h"
#include "audio/EWaveError.h"
#include "audio/KDWaveStream.h"
#include "platform/audio/KDAlsaBackend.h"

namespace vantrel::test {
namespace {

class AlsaPulseStream : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        if (!server.Start(why)) GTEST_SKIP() << why;
        // ALSA decides where "default" leads when it reads its configuration; read it afresh
        // now that the server runs.
        snd_config_update_free_global();
        system.AddBackend(backend);
        stream = std::make_unique<KDWaveStream>(system);
        ASSERT_GE(stream->OutputDeviceNames().size(), 2u);
        ASSERT_EQ(stream->OutputDeviceNames()[1], "Default (ALSA)");
        ASSERT_EQ(backend.PcmName(KDAudioDirection::Output, 0), "default");
    }

    PulseTestServer server;
    KDAlsaBackend backend;
    KDAudioSystem system;
    std::unique_ptr<KDWaveStream> stream;
};

TEST_F(AlsaPulseStream, TheDefaultDeviceComesFirstAsAStereoDevice) {
    EXPECT_EQ(stream->OutputDeviceChannelCount(1), 2);
    EXPECT_EQ(stream->InputDeviceNames()[1], "Default (ALSA)");
}

TEST_F(AlsaPulseStream, PlaysA1kHzToneWithoutDropouts) {
    const std::string file = server.directory() + "/monitor.raw";
    ToneProcessor tone(1000.0, 0.5);
    stream->SetOnProcess(&tone);
    stream->SetOutputDevices(0, 1);
    const ToneRun run = PlayToneUntilClean([&](ToneRun& r) {
        if (!server.StartRecording(file)) {
            ADD_FAILURE() << "parec recorded nothing";
            return std::vector<float>();
        }
        stream->StartStream();
        std::this_thread::sleep_for(std::chrono::milliseconds(4000));
        r.streamOverloaded = stream->TakeOverloadFlag();
        stream->StopStream();
        // The monitor hands its data over a little late.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        server.StopRecording();
        return ReadRawLeft(file);
    });
    ExpectClean1kHzTone(run);
    EXPECT_EQ(stream->LastResult(), 0);
}

TEST_F(AlsaPulseStream, AServerThatGoesAwayIsReportedAndNothingHangs) {
    // Killed outright, as a crash would end it; the pulse plug-in notices a moment later.
    ExpectServerLossReportedOnStop(
        *stream,
        [&] {
            server.Kill();
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
        },
        "ALSA", std::chrono::seconds(4));
}

}  // namespace
}  // namespace vantrel::test
