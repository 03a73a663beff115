#include "platform/midi/KDSimulatedMidiDriver.h"

#include <algorithm>

class KDSimulatedMidiDriver::Port : public KDMidiInputPort {
public:
    Port(KDSimulatedMidiDriver* driver, std::string device, KDMidiInputCallback& callback)
        : driver_(driver), device_(std::move(device)), callback_(callback) {}
    ~Port() override {
        if (driver_ != nullptr) driver_->detach(this);
    }
    bool isConnected() const override { return connected_; }

    KDSimulatedMidiDriver* driver_;
    std::string device_;
    KDMidiInputCallback& callback_;
    bool connected_ = true;
};

KDSimulatedMidiDriver::KDSimulatedMidiDriver(std::vector<std::string> devices)
    : devices_(std::move(devices)) {}

KDSimulatedMidiDriver::~KDSimulatedMidiDriver() {
    std::lock_guard lock(mutex_);
    for (Port* p : ports_) p->driver_ = nullptr;
}

std::vector<std::string> KDSimulatedMidiDriver::inputDeviceNames() {
    std::lock_guard lock(mutex_);
    return devices_;
}

std::unique_ptr<KDMidiInputPort> KDSimulatedMidiDriver::openInput(const std::string& name,
                                                                  KDMidiInputCallback& callback) {
    std::lock_guard lock(mutex_);
    if (std::find(devices_.begin(), devices_.end(), name) == devices_.end()) return nullptr;
    auto port = std::make_unique<Port>(this, name, callback);
    ports_.push_back(port.get());
    return port;
}

void KDSimulatedMidiDriver::addDevice(const std::string& name) {
    std::lock_guard lock(mutex_);
    devices_.push_back(name);
}

void KDSimulatedMidiDriver::removeDevice(const std::string& name) {
    std::lock_guard lock(mutex_);
    std::erase(devices_, name);
    for (Port* p : ports_) {
        if (p->device_ == name) p->connected_ = false;
    }
}

int KDSimulatedMidiDriver::send(const std::string& device, const unsigned char* bytes,
                                std::size_t size, double stampMs) {
    // The lock only stands in for the platform's own bookkeeping; it also keeps a port from
    // being closed while a delivery to it runs, as a real port's close waits for its thread.
    std::lock_guard lock(mutex_);
    int delivered = 0;
    for (Port* p : ports_) {
        if (p->device_ != device || !p->connected_) continue;
        p->callback_.midiBytes(bytes, size, stampMs);
        ++delivered;
    }
    return delivered;
}

int KDSimulatedMidiDriver::send(const std::string& device,
                                std::initializer_list<unsigned char> bytes, double stampMs) {
    return send(device, bytes.begin(), bytes.size(), stampMs);
}

int KDSimulatedMidiDriver::openPorts(const std::string& device) const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::count_if(ports_.begin(), ports_.end(),
                                          [&](const Port* p) { return p->device_ == device; }));
}

void KDSimulatedMidiDriver::detach(Port* port) {
    std::lock_guard lock(mutex_);
    std::erase(ports_, port);
}
