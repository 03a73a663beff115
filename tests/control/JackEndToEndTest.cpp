// End to end through a real JACK server: the test starts jackd with its dummy driver under a
// name of its own, a JACK MIDI client of the test sends controller changes, malformed events
// and a MIDI clock, and the program's own RtMidi JACK input carries them to a registered
// controller client and to the clock chase.

#include <gtest/gtest.h>
#include <jack/jack.h>
#include <jack/midiport.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "control/VTMidiControlClient.h"
#include "control/VTMidiControlServer.h"
#include "control/VTMidiInputs.h"
#include "platform/KDTimeBase.h"
#include "platform/midi/KDRtMidiDriver.h"
#include "signal/SGDynSigContext.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

void quiet(const char*) {}

bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto until = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() > until) return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

// A jackd of the test's own, with the dummy driver: no sound hardware needed. Always stopped
// by the destructor, also when the test fails.
class JackServer {
public:
    ~JackServer() { stop(); }

    bool start(std::string& why) {
        name_ = "vantrel-test-" + std::to_string(::getpid());
        // Every client of this process, RtMidi's included, talks to this server.
        ::setenv("JACK_DEFAULT_SERVER", name_.c_str(), 1);
        ::setenv("JACK_NO_AUDIO_RESERVATION", "1", 1);
        // Waiting for the server is a row of failed connections; libjack need not print them.
        jack_set_error_function(&quiet);
        jack_set_info_function(&quiet);
        if (::access("/usr/bin/jackd", X_OK) != 0 && !onPath("jackd")) {
            why = "jackd is not installed";
            return false;
        }
        // Real-time scheduling first; where the system refuses it, without.
        for (const char* mode : {"-R", "-r"}) {
            if (launch(mode) && waitUntilReady()) return true;
            stop();
        }
        why = "jackd with the dummy driver did not start (see " + log_ + ")";
        return false;
    }

    void stop() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        const auto until = Clock::now() + 5s;
        while (::waitpid(pid_, nullptr, WNOHANG) == 0) {
            if (Clock::now() > until) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, nullptr, 0);
                break;
            }
            std::this_thread::sleep_for(10ms);
        }
        pid_ = -1;
    }

private:
    static bool onPath(const char* program) {
        const std::string cmd = std::string("command -v ") + program + " >/dev/null 2>&1";
        return std::system(cmd.c_str()) == 0;
    }

    bool launch(const char* mode) {
        log_ = "/tmp/" + name_ + ".log";
        pid_ = ::fork();
        if (pid_ < 0) return false;
        if (pid_ == 0) {
            // Should the test itself die, the server goes with it.
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (::getppid() == 1) ::_exit(1);
            const int fd = ::open(log_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd >= 0) {
                ::dup2(fd, 1);
                ::dup2(fd, 2);
            }
            ::execlp("jackd", "jackd", "-n", name_.c_str(), mode, "-t", "5000", "-d", "dummy", "-r",
                     "44100", "-p", "256", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        return true;
    }

    bool waitUntilReady() {
        const auto until = Clock::now() + 10s;
        while (Clock::now() < until) {
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                return false;
            }
            jack_status_t status{};
            jack_client_t* probe = jack_client_open("vantrel-ready", JackNoStartServer, &status);
            if (probe != nullptr) {
                jack_client_close(probe);
                return true;
            }
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }

    std::string name_;
    std::string log_;
    pid_t pid_ = -1;
};

// The test's MIDI source: events queued by the test go out at the start of the next cycle; once
// started, it sends Start and then a clock every framesPerClock frames, placed to the frame.
class Sender {
public:
    explicit Sender(double bpm) : framesPerClock_(44100.0 * 60.0 / (bpm * 24.0)) {}
    ~Sender() { close(); }

    bool open() {
        jack_status_t status{};
        client_ = jack_client_open("vantrel-sender", JackNoStartServer, &status);
        if (client_ == nullptr) return false;
        port_ = jack_port_register(client_, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
        if (port_ == nullptr) return false;
        jack_set_process_callback(client_, &Sender::process, this);
        return jack_activate(client_) == 0;
    }

    void close() {
        if (client_ == nullptr) return;
        jack_deactivate(client_);
        jack_client_close(client_);
        client_ = nullptr;
    }

    std::string portName() const { return jack_port_name(port_); }
    bool connected() const { return jack_port_connected(port_) > 0; }

    void send(std::initializer_list<unsigned char> bytes) {
        if (head_.load() - tail_.load() >= kRing) return;  // the server stands still: drop
        Event& e = ring_[head_.load() % kRing];
        e.size = std::min<std::size_t>(bytes.size(), sizeof e.bytes);
        std::copy_n(bytes.begin(), e.size, e.bytes);
        head_.fetch_add(1);
    }
    void startClock() { startPending_ = true; }

private:
    static constexpr unsigned kRing = 64;
    struct Event {
        unsigned char bytes[8];
        std::size_t size;
    };

    static int process(jack_nframes_t frames, void* self) {
        static_cast<Sender*>(self)->cycle(frames);
        return 0;
    }

    void cycle(jack_nframes_t frames) {
        void* buffer = jack_port_get_buffer(port_, frames);
        jack_midi_clear_buffer(buffer);
        while (tail_.load() != head_.load()) {
            const Event& e = ring_[tail_.load() % kRing];
            jack_midi_event_write(buffer, 0, e.bytes, e.size);
            tail_.fetch_add(1);
        }
        if (startPending_.exchange(false)) {
            const unsigned char start = 0xFA;
            jack_midi_event_write(buffer, 0, &start, 1);
            clocking_ = true;
            nextClock_ = static_cast<double>(frame_);
        }
        const unsigned char clock = 0xF8;
        while (clocking_ && nextClock_ < static_cast<double>(frame_ + frames)) {
            const auto at = static_cast<jack_nframes_t>(nextClock_ - static_cast<double>(frame_));
            jack_midi_event_write(buffer, at, &clock, 1);
            nextClock_ += framesPerClock_;
        }
        frame_ += frames;
    }

    jack_client_t* client_ = nullptr;
    jack_port_t* port_ = nullptr;
    double framesPerClock_;
    Event ring_[kRing] = {};
    std::atomic<unsigned> head_{0};
    std::atomic<unsigned> tail_{0};
    std::atomic<bool> startPending_{false};
    bool clocking_ = false;
    double nextClock_ = 0.0;
    std::uint64_t frame_ = 0;
};

// Receives on the JACK thread, so it keeps only atomics.
struct Watch : VTMidiControlClient {
    explicit Watch(VTMidiControlServer& s) : VTMidiControlClient(s) {}
    ~Watch() override { clearSource(); }
    void receive(int v) override {
        last = v;
        ++count;
        if (v != 12800 && v != 8192) unexpected = true;
    }
    std::atomic<int> last{-1};
    std::atomic<int> count{0};
    std::atomic<bool> unexpected{false};
};

}  // namespace

TEST(JackEndToEnd, ControllersAndClockArriveThroughTheProgramsJackInput) {
    JackServer jack;
    std::string why;
    if (!jack.start(why)) GTEST_SKIP() << why;

    constexpr double kBpm = 150.0;
    Sender sender(kBpm);
    ASSERT_TRUE(sender.open());

    KDRtMidiDriver driver("vantrel-e2e");
    VTMidiControlServer server;
    {
        VTMidiInputs inputs(driver, server);
        const auto& names = inputs.controllersIn().deviceNames();
        const std::string wanted = KDRtMidiDriver::kJackPrefix + sender.portName();
        const auto found = std::find(names.begin(), names.end(), wanted);
        ASSERT_NE(found, names.end()) << "the sender's port is not listed as " << wanted;
        const int index = static_cast<int>(found - names.begin());
        inputs.SetMidiDevices(index, index);
        inputs.EnableMidiControllers();
        inputs.EnableChaseSync();
        ASSERT_TRUE(inputs.controllersIn().isConnected());
        ASSERT_TRUE(waitFor([&] { return sender.connected(); }, 5s));

        Watch coarse(server);
        Watch fine(server);
        coarse.setSource(0xB0, 0, 7);
        fine.setSource(0xF0, 0, 7);

        // Control changes, a 14-bit pair among them. A loaded machine may drop a cycle of the
        // dummy server now and then, so each step is sent again until it has arrived.
        auto deliver = [&](std::function<void()> send, std::function<bool()> arrived) {
            for (int attempt = 0; attempt < 20; ++attempt) {
                send();
                if (waitFor(arrived, 250ms)) return true;
            }
            return false;
        };
        ASSERT_TRUE(deliver(
            [&] {
                sender.send({0xB0, 7, 100});
                sender.send({0xB0, 39, 5});
            },
            [&] { return fine.last == 12805; }))
            << fine.last;
        EXPECT_EQ(coarse.last, 12800);

        // Malformed events in the stream are dropped; what follows still arrives.
        ASSERT_TRUE(deliver(
            [&] {
                sender.send({0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7});
                sender.send({0xB0, 7});
                sender.send({0xF4});
                sender.send({0xB0, 7, 64});
            },
            [&] { return coarse.last == 8192; }))
            << coarse.last;
        EXPECT_FALSE(coarse.unexpected);

        // The clock: the engine's part runs here. Like a sound device, it computes 1024-frame
        // buffers that are heard one after the other, the first 30 ms from now; each is
        // computed about when the one before starts to sound.
        SGDynSigContext ctx;
        sender.startClock();
        const auto begin = Clock::now();
        const double bufferMs = 1024 * 1000.0 / 44100.0;
        const double firstHeard = kdTimeNowMs() + 30.0;
        double tempoSum = 0.0;
        int tempoCount = 0;
        for (int k = 0; k * bufferMs < 4000.0; ++k) {
            inputs.RunChaseStep(ctx, 1024, firstHeard + k * bufferMs);
            for (int b = 0; b < 4; ++b) {
                if (k * bufferMs > 2500.0 && inputs.chase().syncLocked()) {
                    tempoSum += inputs.chase().blockTempo(b);
                    ++tempoCount;
                }
                inputs.chase().applyBlockTempo(ctx, b);
                ctx.processBlock();
            }
            std::this_thread::sleep_until(
                begin + std::chrono::microseconds(static_cast<long>((k + 1) * bufferMs * 1000)));
        }
        ASSERT_TRUE(inputs.chase().syncLocked());
        EXPECT_TRUE(ctx.isClockRunning());
        // JACK MIDI stamps are as fine as the server's cycle (5.8 ms), hence the margins.
        EXPECT_NEAR(inputs.ChaseInput().syncState().tempoEstimate, kBpm, kBpm * 0.03);
        ASSERT_GT(tempoCount, 0);
        EXPECT_NEAR(tempoSum / tempoCount, kBpm, kBpm * 0.04);

        // External Stop unlocks and stops the clock.
        EXPECT_TRUE(deliver([&] { sender.send({0xFC}); },
                            [&] {
                                inputs.RunChaseStep(ctx, 1024, kdTimeNowMs() + 30.0);
                                return !inputs.chase().syncLocked();
                            }));
        EXPECT_FALSE(ctx.isClockRunning());

        // The source disappears while the program's port is open: nothing breaks, and the
        // port closes and reopens (silently, on a device that is gone).
        sender.close();
        std::this_thread::sleep_for(50ms);
        inputs.DisableChaseSync();
        inputs.DisableMidiControllers();
        EXPECT_FALSE(inputs.controllersIn().isOpen());
        inputs.EnableMidiControllers();
        EXPECT_TRUE(inputs.controllersIn().isOpen());
        EXPECT_FALSE(inputs.controllersIn().isConnected());
        inputs.DisableMidiControllers();
    }
}
