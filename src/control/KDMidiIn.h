#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "control/KDMidiClockReceiver.h"
#include "control/KDMidiMessageHandler.h"
#include "control/KDMidiStreamParser.h"
#include "platform/midi/KDMidiDriver.h"

// One MIDI input port of the program. Channel messages go to the message handler; system
// messages feed the MIDI clock receiver, which the clock chase reads.
//
// openPort, closePort, the device choice and the handler are set on the UI thread; the port's
// own thread delivers. The handler can be changed while the port is open.
class KDMidiIn : private KDMidiInputCallback, private KDMidiStreamParser::Sink {
public:
    using TimeSource = std::function<std::uint32_t()>;

    // The driver must outlive the port. The device list is read now; the first device is
    // chosen, or none (-1) when there is no MIDI input at all.
    explicit KDMidiIn(KDMidiDriver& driver);
    ~KDMidiIn();
    KDMidiIn(const KDMidiIn&) = delete;
    KDMidiIn& operator=(const KDMidiIn&) = delete;

    const std::vector<std::string>& deviceNames() const { return deviceNames_; }
    // Reads the device list again. The chosen index is kept when it still names a device.
    void refreshDeviceNames();

    int deviceIndex() const { return deviceIndex_; }
    // -1 for none, or an index into deviceNames(); anything else is refused. Takes effect at
    // the next openPort.
    bool setDeviceIndex(int index);
    // The name of the chosen device, empty for none.
    std::string deviceName() const;

    // Does nothing when open already or when no device is chosen. Otherwise clears the clock
    // receiver and opens the device. A device that cannot be opened leaves the port open but
    // silent (isConnected() tells).
    void openPort();
    void closePort();
    bool isOpen() const { return open_; }
    bool isConnected() const { return port_ && port_->isConnected(); }

    void setMessageHandler(KDMidiMessageHandler* handler) { handler_.store(handler); }
    KDMidiMessageHandler* messageHandler() const { return handler_.load(); }

    // The sync query: the external transport as last reported on this port.
    KDMidiClockReceiver::State syncState() const { return clock_.state(); }
    const KDMidiClockReceiver& clockReceiver() const { return clock_; }
    double defaultTempo() const { return defaultTempo_; }

    // When the port opened, on the program's time base.
    std::uint32_t openTime() const { return openTime_.load(); }
    // The clock openTime is read from (the program's time base unless a test replaces it).
    void setTimeSource(TimeSource source) { timeSource_ = std::move(source); }

private:
    void midiBytes(const unsigned char* bytes, std::size_t size, double stampMs) override;
    void midiMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override;

    KDMidiDriver& driver_;
    std::vector<std::string> deviceNames_;
    int deviceIndex_ = -1;
    bool open_ = false;
    std::unique_ptr<KDMidiInputPort> port_;
    TimeSource timeSource_;
    double defaultTempo_ = 120.0;

    std::atomic<KDMidiMessageHandler*> handler_{nullptr};
    std::atomic<std::uint32_t> openTime_{0};
    KDMidiClockReceiver clock_;

    // Input thread only.
    KDMidiStreamParser parser_;
    double stamp_ = 0.0;
};
