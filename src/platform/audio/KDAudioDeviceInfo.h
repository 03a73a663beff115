#pragma once

#include <string>

// What a device list shows of one device.
struct KDAudioDeviceInfo {
    std::string name;
    int channels = 2;
    bool supports44kStereo16 = true;  // can stream 44.1 kHz stereo 16-bit
};
