#include "control/KDMidiClockReceiver.h"

#include <cmath>
#include <cstdint>

namespace {
double onTimeBase(double stampMs, std::uint32_t openTime) {
    const double t = std::fmod(openTime + (std::isfinite(stampMs) ? stampMs : 0.0), 4294967296.0);
    return t < 0.0 ? t + 4294967296.0 : t;
}
}  // namespace

void KDMidiClockReceiver::reset(double defaultTempo) {
    defaultTempo_ = defaultTempo;
    transportRunning_.store(false);
    songPosition_.store(0);
    positionTime_.store(0.0);
    tempoEstimate_.store(defaultTempo);
    writeIndex_ = 0;
    fill_ = 0;
    clocksCounted_ = 0;
    lastClock_ = 0.0;
}

KDMidiClockReceiver::State KDMidiClockReceiver::state() const {
    State s;
    s.transportRunning = transportRunning_.load(std::memory_order_acquire);
    // The writer is one thread and its update takes nanoseconds, so a retry is rare and short.
    // The reader never spins for long, though: a writer pre-empted halfway could keep it waiting
    // on the audio thread. After a few tries it takes the pair as it is; the clock chase sets
    // right such a mixed pair at the next buffer.
    for (int attempt = 0; attempt < 64; ++attempt) {
        const std::uint32_t before = sequence_.load(std::memory_order_acquire);
        s.songPosition = songPosition_.load(std::memory_order_relaxed);
        s.positionTime = positionTime_.load(std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_acquire);
        if ((before & 1u) == 0 && sequence_.load(std::memory_order_relaxed) == before) break;
    }
    s.tempoEstimate = tempoEstimate_.load(std::memory_order_relaxed);
    return s;
}

void KDMidiClockReceiver::setPosition(std::int32_t position, double stampMs,
                                      std::uint32_t openTime) {
    const std::uint32_t seq = sequence_.load(std::memory_order_relaxed);
    sequence_.store(seq + 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    songPosition_.store(position, std::memory_order_relaxed);
    positionTime_.store(onTimeBase(stampMs, openTime), std::memory_order_relaxed);
    sequence_.store(seq + 2, std::memory_order_release);
}

void KDMidiClockReceiver::message(std::uint8_t status, std::uint8_t data1, std::uint8_t data2,
                                  double stampMs, std::uint32_t openTime) {
    switch (status) {
        case 0xF8:
            clock(stampMs, openTime);
            break;
        case 0xFA:  // start: from the top, with a fresh tempo measurement
            writeIndex_ = 0;
            fill_ = 0;
            clocksCounted_ = 0;
            setPosition(-1, stampMs, openTime);
            transportRunning_.store(true, std::memory_order_release);
            break;
        case 0xFB:  // continue: the next clock begins a new series of intervals
            clocksCounted_ = 0;
            transportRunning_.store(true, std::memory_order_release);
            break;
        case 0xFC:
            transportRunning_.store(false, std::memory_order_release);
            break;
        case 0xF2:  // song position pointer, in sixteenth notes of 6 clocks
            setPosition((data1 & 0x7F) * 6 + (data2 & 0x7F) * 768, stampMs, openTime);
            break;
        default:
            break;
    }
}

void KDMidiClockReceiver::clock(double stampMs, std::uint32_t openTime) {
    if (clocksCounted_ > 0) {
        // Stamps never go backwards on a real port; a broken source must not make the
        // estimate negative, so such an interval counts as zero.
        const double interval = stampMs > lastClock_ ? stampMs - lastClock_ : 0.0;
        intervals_[writeIndex_] = interval;
        writeIndex_ = (writeIndex_ + 1) % kIntervalRing;
        if (fill_ < kIntervalRing) ++fill_;
    }
    lastClock_ = stampMs;
    if (clocksCounted_ < 1000000) ++clocksCounted_;

    // Clocks that arrive while the transport stands still carry the tempo but must not move
    // the song position: a master keeps sending them, and the position set by a song position
    // pointer has to hold until Continue.
    if (transportRunning_.load(std::memory_order_relaxed) &&
        songPosition_.load(std::memory_order_relaxed) < INT32_MAX) {
        setPosition(songPosition_.load(std::memory_order_relaxed) + 1, stampMs, openTime);
    }

    if (fill_ < kIntervalsForEstimate) return;
    double sum = 0.0;
    for (int i = 0; i < fill_; ++i) sum += intervals_[i];
    // Until the ring is full, the missing intervals are taken at the default tempo.
    const double nominal = 1000.0 / (defaultTempo_ * 24.0 / 60.0);
    sum += (kIntervalRing - fill_) * nominal;
    if (!(sum > 0.0)) return;
    const double estimate = 2500.0 / (sum / kIntervalRing);
    if (std::isfinite(estimate)) {
        tempoEstimate_.store(estimate < kMaxTempo ? estimate : kMaxTempo,
                             std::memory_order_relaxed);
    }
}
