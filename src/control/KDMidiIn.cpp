#include "control/KDMidiIn.h"

#include "platform/KDTimeBase.h"

KDMidiIn::KDMidiIn(KDMidiDriver& driver) : driver_(driver), timeSource_(&kdTimeGetTime) {
    deviceNames_ = driver_.inputDeviceNames();
    deviceIndex_ = deviceNames_.empty() ? -1 : 0;
    clock_.reset(defaultTempo_);
}

KDMidiIn::~KDMidiIn() { closePort(); }

void KDMidiIn::refreshDeviceNames() {
    // A port the user set to no device stays without one; a chosen device that has gone gives
    // way to the first one listed.
    const bool none = deviceIndex_ < 0;
    const std::string chosen = deviceName();
    deviceNames_ = driver_.inputDeviceNames();
    deviceIndex_ = -1;
    if (none) return;
    for (std::size_t i = 0; i < deviceNames_.size(); ++i) {
        if (deviceNames_[i] == chosen) deviceIndex_ = static_cast<int>(i);
    }
    if (deviceIndex_ < 0 && !deviceNames_.empty()) deviceIndex_ = 0;
}

bool KDMidiIn::setDeviceIndex(int index) {
    if (index < -1 || index >= static_cast<int>(deviceNames_.size())) return false;
    deviceIndex_ = index;
    return true;
}

std::string KDMidiIn::deviceName() const {
    if (deviceIndex_ < 0 || deviceIndex_ >= static_cast<int>(deviceNames_.size())) return {};
    return deviceNames_[static_cast<std::size_t>(deviceIndex_)];
}

void KDMidiIn::openPort() {
    if (open_ || deviceIndex_ < 0) return;
    // The port is closed, so nothing delivers while the receiver and parser start afresh.
    clock_.reset(defaultTempo_);
    parser_.reset();
    stamp_ = 0.0;
    openTime_.store(timeSource_ ? timeSource_() : kdTimeGetTime());
    port_ = driver_.openInput(deviceName(), *this);
    open_ = true;
}

void KDMidiIn::closePort() {
    if (!open_) return;
    port_.reset();  // waits for a delivery in progress
    open_ = false;
}

void KDMidiIn::midiBytes(const unsigned char* bytes, std::size_t size, double stampMs) {
    stamp_ = stampMs;
    parser_.feed(bytes, size, *this);
}

void KDMidiIn::midiMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    if (status < 0xF0) {
        if (KDMidiMessageHandler* h = handler_.load(std::memory_order_acquire)) {
            h->midiMessage(status, data1, data2);
        }
        return;
    }
    clock_.message(status, data1, data2, stamp_, openTime_.load(std::memory_order_relaxed));
}
