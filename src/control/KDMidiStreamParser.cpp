#include "control/KDMidiStreamParser.h"

int KDMidiStreamParser::dataLength(std::uint8_t status) {
    if (status < 0x80) return 0;
    if (status < 0xF0) {
        const std::uint8_t type = status & 0xF0;
        return (type == 0xC0 || type == 0xD0) ? 1 : 2;
    }
    switch (status) {
        case 0xF1:  // time code quarter frame
        case 0xF3:  // song select
            return 1;
        case 0xF2:  // song position pointer
            return 2;
        default:
            return 0;
    }
}

void KDMidiStreamParser::reset() {
    status_ = 0;
    running_ = 0;
    inSysex_ = false;
    needed_ = 0;
    have_ = 0;
}

void KDMidiStreamParser::startMessage(std::uint8_t status, Sink& sink) {
    inSysex_ = false;
    have_ = 0;
    if (status < 0xF0) {
        running_ = status;
    } else {
        running_ = 0;
        if (status == 0xF0) {
            inSysex_ = true;
            status_ = 0;
            return;
        }
    }
    needed_ = dataLength(status);
    if (needed_ == 0) {
        // 0xF6 tune request and the undefined 0xF4, 0xF5; 0xF7 ends nothing here.
        status_ = 0;
        if (status == 0xF6) sink.midiMessage(status, 0, 0);
        return;
    }
    status_ = status;
}

void KDMidiStreamParser::feed(const unsigned char* bytes, std::size_t size, Sink& sink) {
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t b = bytes[i];
        if (b >= 0xF8) {
            // Real-time bytes interrupt nothing: the message around them goes on.
            if (b != 0xF9 && b != 0xFD) sink.midiMessage(b, 0, 0);
            continue;
        }
        if (b >= 0x80) {
            startMessage(b, sink);
            continue;
        }
        if (inSysex_) continue;
        if (status_ == 0) {
            if (running_ == 0) continue;  // stray data byte
            status_ = running_;
            needed_ = dataLength(running_);
            have_ = 0;
        }
        data_[have_++] = b;
        if (have_ == needed_) {
            const std::uint8_t s = status_;
            sink.midiMessage(s, data_[0], needed_ == 2 ? data_[1] : 0);
            status_ = 0;
            have_ = 0;
        }
    }
    status_ = 0;  // truncated: the rest never comes in a later delivery
    have_ = 0;
}
