#include "platform/midi/KDRtMidiDriver.h"

#include <jack/jack.h>
#include <rtmidi/RtMidi.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <optional>

namespace {

// RtMidi reports problems through this hook instead of printing or throwing once it is set.
// Every failure here ends as "no device" or "port delivers nothing", so nothing is kept.
void ignoreRtMidiError(RtMidiError::Type, const std::string&, void*) {}

struct Source {
    RtMidi::Api api;
    unsigned int number;
    std::string name;
};

std::unique_ptr<RtMidiIn> makeInput(RtMidi::Api api, const std::string& clientName) {
    try {
        // Without an ALSA sequencer (no /dev/snd/seq) the constructor throws.
        auto in = std::make_unique<RtMidiIn>(api, clientName);
        in->setErrorCallback(&ignoreRtMidiError, nullptr);
        return in;
    } catch (const RtMidiError&) {
        return nullptr;
    }
}

std::string listedName(RtMidi::Api api, const std::string& portName) {
    return api == RtMidi::UNIX_JACK ? KDRtMidiDriver::kJackPrefix + portName : portName;
}

// The ALSA library and RtMidi print to the console when the sequencer is missing, as on a
// machine without sound hardware; without its device there is nothing to ask.
bool hasAlsaSequencer() { return ::access("/dev/snd/seq", R_OK | W_OK) == 0; }

// libjack prints every failed attempt to reach a server; no server is an ordinary case here.
void quietJack(const char*) {}

void silenceJack() {
    static const bool once = [] {
        jack_set_error_function(&quietJack);
        jack_set_info_function(&quietJack);
        return true;
    }();
    (void)once;
}

// RtMidi complains on the console when it finds no JACK server; ask the server first.
bool hasJackServer() {
    jack_status_t status{};
    jack_client_t* probe = jack_client_open("vantrel-probe", JackNoStartServer, &status);
    if (probe == nullptr) return false;
    jack_client_close(probe);
    return true;
}

std::vector<Source> listSources(const std::string& clientName) {
    silenceJack();
    std::vector<Source> sources;
    std::vector<RtMidi::Api> compiled;
    RtMidi::getCompiledApi(compiled);
    for (RtMidi::Api api : {RtMidi::LINUX_ALSA, RtMidi::UNIX_JACK}) {
        if (std::find(compiled.begin(), compiled.end(), api) == compiled.end()) continue;
        if (api == RtMidi::LINUX_ALSA && !hasAlsaSequencer()) continue;
        if (api == RtMidi::UNIX_JACK && !hasJackServer()) continue;
        auto in = makeInput(api, clientName);
        if (!in) continue;
        try {
            const unsigned int count = in->getPortCount();
            for (unsigned int i = 0; i < count; ++i) {
                std::string name = in->getPortName(i);
                // A port that vanished while listing has an empty name: leave it out.
                if (!name.empty()) sources.push_back({api, i, listedName(api, name)});
            }
        } catch (const RtMidiError&) {
        }
    }
    return sources;
}

// One open RtMidi input. RtMidi gives each message the time since the one before; the port
// turns that into milliseconds since it opened, anchored to the arrival of the first message
// and re-anchored whenever the sum strays from the real clock (a stalled or restarted source).
class RtMidiPort : public KDMidiInputPort {
public:
    RtMidiPort(std::unique_ptr<RtMidiIn> in, KDMidiInputCallback& callback)
        : in_(std::move(in)), callback_(callback), opened_(std::chrono::steady_clock::now()) {}

    ~RtMidiPort() override {
        // Destroying the RtMidi object stops its input thread (ALSA) or closes its JACK client,
        // which waits for a running process cycle: no callback follows.
        try {
            in_.reset();
        } catch (...) {
        }
    }

    bool isConnected() const override { return in_ && in_->isPortOpen(); }

    void start() {
        in_->setCallback(&RtMidiPort::received, this);
        // Clocks and song positions are wanted; system exclusive and active sensing are not.
        in_->ignoreTypes(true, false, true);
    }

    bool open(unsigned int number, const std::string& portName) {
        try {
            start();
            in_->openPort(number, portName);
            return in_->isPortOpen();
        } catch (const RtMidiError&) {
            return false;
        }
    }

private:
    static void received(double deltaSeconds, std::vector<unsigned char>* message, void* self) {
        if (message == nullptr || message->empty()) return;
        auto* port = static_cast<RtMidiPort*>(self);
        port->callback_.midiBytes(message->data(), message->size(), port->stamp(deltaSeconds));
    }

    double stamp(double deltaSeconds) {
        const double now =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - opened_)
                .count();
        if (!(deltaSeconds >= 0.0)) deltaSeconds = 0.0;
        double t = last_ + deltaSeconds * 1000.0;
        // A stamp can be neither in the future nor long behind the moment it arrives.
        if (first_ || t > now || t < now - 1000.0) t = now;
        first_ = false;
        if (t < last_) t = last_;
        last_ = t;
        return t;
    }

    std::unique_ptr<RtMidiIn> in_;
    KDMidiInputCallback& callback_;
    std::chrono::steady_clock::time_point opened_;
    bool first_ = true;
    double last_ = 0.0;
};

}  // namespace

KDRtMidiDriver::KDRtMidiDriver(std::string clientName, std::string portName)
    : clientName_(std::move(clientName)), portName_(std::move(portName)) {}

std::vector<std::string> KDRtMidiDriver::inputDeviceNames() {
    std::vector<std::string> names;
    for (auto& s : listSources(clientName_)) names.push_back(std::move(s.name));
    return names;
}

std::unique_ptr<KDMidiInputPort> KDRtMidiDriver::openInput(const std::string& name,
                                                           KDMidiInputCallback& callback) {
    // The device is found again by name: numbers shift when other sources come and go.
    std::optional<Source> found;
    for (auto& s : listSources(clientName_)) {
        if (s.name == name) {
            found = s;
            break;
        }
    }
    if (!found) return nullptr;
    auto in = makeInput(found->api, clientName_);
    if (!in) return nullptr;
    auto port = std::make_unique<RtMidiPort>(std::move(in), callback);
    if (!port->open(found->number, portName_)) return nullptr;
    return port;
}
