#pragma once

#include <atomic>
#include <cstdint>

// What a MIDI input learns from the external transport: timing clock, start, continue, stop
// and song position pointer. The input's thread writes it, the audio thread reads it through
// state(); every field is a single atomic value, and the song position travels together with
// the time it was reached (a sequence count lets the reader retry the moment the writer is
// between the two), so a reader never sees one without the other.
class KDMidiClockReceiver {
public:
    struct State {
        bool transportRunning = false;
        std::int32_t songPosition = 0;  // in MIDI clocks (= ticks); -1 right after Start
        double positionTime = 0.0;      // ms on the program's time base, with fractions
        double tempoEstimate = 120.0;   // BPM
    };

    static constexpr int kIntervalRing = 48;
    // Intervals needed before the estimate leaves the default tempo.
    static constexpr int kIntervalsForEstimate = 13;
    // An external clock faster than this is broken, not music; the estimate stays below it.
    static constexpr double kMaxTempo = 1000.0;

    // Clears everything and sets the estimate to the default tempo (the port just opened).
    void reset(double defaultTempo);

    // One system message at stampMs (ms since the port opened); openTime (ms on the program's
    // time base) turns stamps into that base. Messages other than 0xF2, 0xF8, 0xFA, 0xFB and
    // 0xFC are ignored.
    void message(std::uint8_t status, std::uint8_t data1, std::uint8_t data2, double stampMs,
                 std::uint32_t openTime);

    State state() const;
    double defaultTempo() const { return defaultTempo_; }
    int intervalCount() const { return fill_; }

private:
    void clock(double stampMs, std::uint32_t openTime);
    void setPosition(std::int32_t position, double stampMs, std::uint32_t openTime);

    std::atomic<bool> transportRunning_{false};
    std::atomic<std::uint32_t> sequence_{0};  // odd while the position pair is being written
    std::atomic<std::int32_t> songPosition_{0};
    std::atomic<double> positionTime_{0.0};
    std::atomic<double> tempoEstimate_{120.0};

    // Touched by the input's thread only (and by reset while the port is closed).
    double defaultTempo_ = 120.0;
    double intervals_[kIntervalRing] = {};
    int writeIndex_ = 0;
    int fill_ = 0;
    int clocksCounted_ = 0;
    double lastClock_ = 0.0;
};
