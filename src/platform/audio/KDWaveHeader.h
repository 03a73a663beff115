#pragma once

#include <cstdint>

// One buffer handed to a device. The owner keeps the memory; the device only holds the header
// between Queue and the completion notice.
struct KDWaveHeader {
    char* data = nullptr;
    std::uint32_t bufferLength = 0;   // bytes
    std::uint32_t bytesRecorded = 0;  // input: bytes filled when the buffer came back
    std::uintptr_t user = 0;          // free for the owner (the stream keeps the buffer index)
    std::uint32_t flags = 0;

    enum Flags : std::uint32_t { Done = 1, Prepared = 2, InQueue = 0x10 };
};
