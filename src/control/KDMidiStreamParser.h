#pragma once

#include <cstddef>
#include <cstdint>

// Cuts the bytes a MIDI input delivers into whole messages. The input is treated as a MIDI
// byte stream, so whatever a source sends comes out as complete messages or not at all:
// - running status (data bytes that reuse the last channel status) is expanded;
// - real-time bytes (0xF8 ... 0xFF) are messages of their own, wherever they appear, even in the
//   middle of another message;
// - a status byte cuts off an unfinished message, which is dropped;
// - data bytes with no status to belong to are dropped;
// - system exclusive is skipped up to its end (0xF7 or the next status byte), and system
//   common messages cancel running status, as the MIDI standard says.
// A delivery ends on a message boundary (each one is a JACK event or an ALSA sequencer event),
// so a message still unfinished at its end was truncated and is dropped. Running status and
// system exclusive carry over to the next delivery: a long exclusive message may come in parts.
class KDMidiStreamParser {
public:
    // Receives each complete message: status byte and up to two data bytes (0 when absent).
    class Sink {
    public:
        virtual void midiMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) = 0;

    protected:
        ~Sink() = default;
    };

    void feed(const unsigned char* bytes, std::size_t size, Sink& sink);
    void reset();

    // Data bytes that follow each status byte (0 for real-time and undefined statuses).
    static int dataLength(std::uint8_t status);

private:
    void startMessage(std::uint8_t status, Sink& sink);

    std::uint8_t status_ = 0;   // status of the message being gathered, 0 for none
    std::uint8_t running_ = 0;  // channel status that data bytes may reuse
    bool inSysex_ = false;
    int needed_ = 0;
    int have_ = 0;
    std::uint8_t data_[2] = {0, 0};
};
