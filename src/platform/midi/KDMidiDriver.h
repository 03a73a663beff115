#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/midi/KDMidiInputPort.h"

// Lists the MIDI input devices of the machine and opens them.
class KDMidiDriver {
public:
    virtual ~KDMidiDriver() = default;

    // One name per device that can be opened, in a stable platform order.
    virtual std::vector<std::string> inputDeviceNames() = 0;

    // Opens the device with that name (as listed) and delivers its bytes to the callback.
    // Returns nullptr when the device is gone or cannot be opened. Called on the UI thread.
    virtual std::unique_ptr<KDMidiInputPort> openInput(const std::string& name,
                                                       KDMidiInputCallback& callback) = 0;
};
