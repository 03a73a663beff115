#pragma once

#include <cstdint>
#include <string>

#include "platform/audio/KDWaveHeader.h"

// Receives the completion notice of every buffer a device finishes (played, or filled with
// input). It runs on the device's own thread: it must only note a time and wake someone.
class KDAudioDeviceClient {
public:
    virtual ~KDAudioDeviceClient() = default;
    // timeMs: when the buffer's last frame left the program, on the stream clock's scale.
    virtual void BufferDone(KDWaveHeader& header, std::uint32_t timeMs) noexcept = 0;
};

// One open wave device. Every operation returns a KDAudioError code; ErrorText turns a code into
// the message shown to the user, with the backend's own words about the last failure.
//
// Output devices play queued buffers in order; Pause holds playback (buffers queue up), Restart
// resumes it. Input devices fill queued buffers in order once Start has been called. Reset ends
// playback or recording and gives back every queued buffer with its completion notice.
class KDAudioDevice {
public:
    virtual ~KDAudioDevice() = default;

    virtual int Prepare(KDWaveHeader& header) = 0;
    virtual int Unprepare(KDWaveHeader& header) = 0;
    virtual int Queue(KDWaveHeader& header) = 0;
    virtual int Start() = 0;
    virtual int Pause() = 0;
    virtual int Restart() = 0;
    virtual int Reset() = 0;
    virtual int Close() = 0;
    // Volume as two 16-bit levels: left in the low word, right in the high word.
    virtual int GetVolume(std::uint32_t& volume) = 0;
    virtual int SetVolume(std::uint32_t volume) = 0;
    virtual std::string ErrorText(int code) const = 0;
};
