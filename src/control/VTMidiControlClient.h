#pragma once

#include <atomic>
#include <cstdint>

class VTMidiControlServer;

// The MIDI source of one controller: a source type of VTMidiControlServer (0 for none), a
// channel 0 ... 15 and a number (controller for the control-change types, else 0).
struct VTMidiSource {
    std::uint8_t type = 0;
    int channel = 0;
    int number = 0;

    bool operator==(const VTMidiSource&) const = default;
};

// The MIDI side of a property controller: it listens to one source and receives its 14-bit
// values (0 ... 16383) on the MIDI thread. It is registered with the server exactly as long as
// it has a source.
//
// A derived class whose receive uses its own members calls clearSource() in its destructor, so
// that no value arrives while those members are being destroyed. receive must not change any
// registrations.
class VTMidiControlClient {
public:
    explicit VTMidiControlClient(VTMidiControlServer& server);
    // A client of the program's one server.
    VTMidiControlClient();
    virtual ~VTMidiControlClient();
    VTMidiControlClient(const VTMidiControlClient&) = delete;
    VTMidiControlClient& operator=(const VTMidiControlClient&) = delete;

    // Unregisters from the old source, stores the new one and registers under its key. A
    // source that names no real controller (an unknown type, a channel outside 0 ... 15, a
    // controller above 97, or above 31 for a 14-bit pair) leaves the client without a source
    // and returns false. For program change, channel pressure and pitch bend the number is 0.
    bool setSource(int type, int channel, int number);
    bool setSource(const VTMidiSource& source) {
        return setSource(source.type, source.channel, source.number);
    }
    void clearSource() { setSource(0, 0, 0); }
    VTMidiSource getSource() const { return source_; }
    bool hasSource() const { return source_.type != 0; }
    // The key it is registered under, or -1 without a source.
    int controlKey() const;

    bool enabled() const { return enabled_.load(std::memory_order_relaxed); }
    void setEnabled(bool enabled) { enabled_.store(enabled, std::memory_order_relaxed); }

    virtual void receive(int value);

    static bool isValidSource(int type, int channel, int number);

private:
    friend class VTMidiControlServer;
    void serverGone(VTMidiControlServer* server);

    VTMidiControlServer* server_;
    VTMidiSource source_;
    std::atomic<bool> enabled_{true};
};
