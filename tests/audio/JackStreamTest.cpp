// The wave stream playing through a JACK server that the test runs itself (dummy driver, no
// sound hardware), recorded by a JACK client of the test.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <jack/jack.h>

#include <atomic>
#include <chrono>
#include <numbers>
#include <thread>

#include "SoundServers.h"
#include "ToneCheck.h"
#include "audio/EWaveError.h"
#include "audio/KDWaveStream.h"
#include "platform/audio/KDJackBackend.h"

namespace vantrel::test {
namespace {

// Records one channel from a port of another client into memory reserved beforehand.
class JackRecorder {
public:
    explicit JackRecorder(std::size_t frames) : samples_(frames) {}
    ~JackRecorder() {
        if (client_) jack_client_close(client_);
    }

    bool Open(const std::string& source) {
        jack_status_t status{};
        client_ = jack_client_open("vantrel-test-recorder", JackNoStartServer, &status);
        if (!client_) return false;
        port_ = jack_port_register(client_, "in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
        jack_set_process_callback(client_, Process, this);
        return port_ && jack_activate(client_) == 0 &&
               jack_connect(client_, source.c_str(), jack_port_name(port_)) == 0;
    }

    std::vector<float> Take() {
        std::vector<float> taken(samples_.begin(), samples_.begin() + written_.load());
        return taken;
    }

private:
    static int Process(jack_nframes_t frames, void* self) {
        auto* r = static_cast<JackRecorder*>(self);
        const auto* in = static_cast<const float*>(jack_port_get_buffer(r->port_, frames));
        std::size_t at = r->written_.load();
        std::size_t n = std::min<std::size_t>(frames, r->samples_.size() - at);
        std::copy(in, in + n, r->samples_.begin() + at);
        r->written_.store(at + n);
        return 0;
    }

    jack_client_t* client_ = nullptr;
    jack_port_t* port_ = nullptr;
    std::vector<float> samples_;
    std::atomic<std::size_t> written_{0};
};

class JackStream : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        if (!server.Start(why)) GTEST_SKIP() << why;
        system.AddBackend(backend);
        // A loaded machine's server may turn a client away for a moment, and the device list
        // would then be empty: ask again before giving up.
        for (int attempt = 0; attempt < 20; ++attempt) {
            stream = std::make_unique<KDWaveStream>(system);
            if (stream->OutputDeviceNames().size() == 2 && stream->InputDeviceNames().size() == 2) {
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        FAIL() << "the JACK server runs but no JACK device is listed";
    }

    JackTestServer server;
    KDJackBackend backend;
    KDAudioSystem system;
    std::unique_ptr<KDWaveStream> stream;
};

TEST_F(JackStream, ListsOneDevicePerDirectionWithSixteenChannels) {
    ASSERT_EQ(stream->OutputDeviceNames(), (std::vector<std::string>{"(None)", "JACK"}));
    ASSERT_EQ(stream->InputDeviceNames(), (std::vector<std::string>{"(None)", "JACK"}));
    EXPECT_EQ(stream->OutputDeviceChannelCount(1), 16);
    EXPECT_EQ(KDJackBackend::PortName(KDAudioDirection::Output, 0), "SoundOut L");
    EXPECT_EQ(KDJackBackend::PortName(KDAudioDirection::Output, 3), "AuxOut1 R");
    EXPECT_EQ(KDJackBackend::PortName(KDAudioDirection::Input, 14), "AuxIn7 L");
}

TEST_F(JackStream, PlaysA1kHzToneWithoutDropouts) {
    ToneProcessor tone(1000.0, 0.5);
    stream->SetOnProcess(&tone);
    stream->SetOutputDevices(0, 1);
    const ToneRun run = PlayToneUntilClean([&](ToneRun& r) {
        stream->StartStream();
        JackRecorder recorder(44100 * 5);
        if (!recorder.Open("Vantrel Out:SoundOut L")) ADD_FAILURE() << "no JACK recorder";
        std::this_thread::sleep_for(std::chrono::milliseconds(4000));
        auto recorded = recorder.Take();
        r.streamOverloaded = stream->TakeOverloadFlag();
        stream->StopStream();
        return recorded;
    });
    ExpectClean1kHzTone(run);
    EXPECT_EQ(stream->LastResult(), 0);
}

TEST_F(JackStream, AServerThatGoesAwayIsReportedAndNothingHangs) {
    ExpectServerLossReportedOnStop(
        *stream,
        [&] {
            server.Quit();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        },
        "JACK server has gone away", std::chrono::seconds(3));
}

TEST_F(JackStream, OpeningWithoutAServerRaisesTheBackendsText) {
    server.Quit();
    stream->SetOutputDevices(0, 1);  // listed while the server still ran
    try {
        stream->StartStream();
        FAIL() << "StartStream succeeded";
    } catch (const EWaveOutError& e) {
        EXPECT_THAT(e.what(), ::testing::HasSubstr("JACK server is not running"));
    }
    EXPECT_FALSE(stream->Running());
}

}  // namespace
}  // namespace vantrel::test
