#pragma once

#include <cstddef>

// Receives what an open MIDI input port delivers. midiBytes runs on the port's own thread
// (for JACK, the JACK process thread): it must return quickly and must not block.
//
// A delivery holds one or more MIDI bytes as the platform handed them over: usually one whole
// message, but nothing guarantees that (raw JACK events may hold truncated messages, running
// status, stray data bytes or system exclusive). stampMs is the delivery's time in milliseconds
// since the port was opened; it never decreases.
class KDMidiInputCallback {
public:
    virtual void midiBytes(const unsigned char* bytes, std::size_t size, double stampMs) = 0;

protected:
    ~KDMidiInputCallback() = default;
};

// One open MIDI input port. Destroying it closes the port; once the destructor has returned,
// the callback is never called again.
class KDMidiInputPort {
public:
    virtual ~KDMidiInputPort() = default;

    // False once the platform reports the source gone (not every platform reports it).
    virtual bool isConnected() const = 0;
};
