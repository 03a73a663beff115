#pragma once

#include <cstddef>
#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

#include "platform/midi/KDMidiDriver.h"

// A MIDI driver for tests: its devices are names the test chooses, and the test delivers byte
// messages with time stamps to every port open on a device, on the calling thread, as a real
// port's thread would. Removing a device makes its open ports go quiet, like a cable pulled.
class KDSimulatedMidiDriver : public KDMidiDriver {
public:
    explicit KDSimulatedMidiDriver(std::vector<std::string> devices = {});
    ~KDSimulatedMidiDriver() override;

    std::vector<std::string> inputDeviceNames() override;
    std::unique_ptr<KDMidiInputPort> openInput(const std::string& name,
                                               KDMidiInputCallback& callback) override;

    void addDevice(const std::string& name);
    void removeDevice(const std::string& name);

    // Delivers the bytes to every port open on the device; returns how many ports got them.
    int send(const std::string& device, const unsigned char* bytes, std::size_t size,
             double stampMs);
    int send(const std::string& device, std::initializer_list<unsigned char> bytes, double stampMs);

    // Ports currently open on the device.
    int openPorts(const std::string& device) const;

private:
    class Port;
    friend class Port;
    void detach(Port* port);

    mutable std::recursive_mutex mutex_;
    std::vector<std::string> devices_;
    std::vector<Port*> ports_;
};
