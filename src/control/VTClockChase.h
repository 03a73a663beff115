#pragma once

#include <atomic>
#include <cstdint>

#include "control/KDMidiClockReceiver.h"

class KDMidiIn;
class SGDynSigContext;
class VTSyncLockListener;

// Makes the transport clock follow an external MIDI clock. The engine runs step() at the start
// of every device buffer, with the time at which the buffer will be heard, and before each
// 256-frame block of it applies that block's planned tempo (applyBlockTempo). The plan brings
// the clock to where the external clock will be at the end of the buffer, passing gradually
// from the clock's present speed to the external tempo; a clock too far off is re-seated.
//
// Locks when the external transport runs; unlocks only on the external Stop, when chase sync
// is switched off, or when the input is closed. Missing clocks do not unlock: the position is
// extrapolated from the last one at the estimated tempo.
class VTClockChase {
public:
    static constexpr int kMaxBlocks = 64;
    enum class LockChange { None, Locked, Unlocked };

    void setChaseSync(bool on) { chaseSync_.store(on); }
    bool chaseSync() const { return chaseSync_.load(); }
    bool syncLocked() const { return syncLocked_.load(); }
    // Forgets the lock without touching the clock (audio starting afresh).
    void resetLock() { syncLocked_.store(false); }

    // The listener is told about every lock change (on the audio thread); nullptr for none.
    void setListener(VTSyncLockListener* listener) { listener_.store(listener); }

    // One device buffer of frames frames, heard at playTime (ms on the program's time base; a
    // time with fractions keeps the plan steadier than whole milliseconds), following input
    // (nullptr for none).
    LockChange step(const KDMidiIn* input, SGDynSigContext& context, int frames, double playTime);
    // The same with the input's state given directly.
    LockChange step(bool inputOpen, const KDMidiClockReceiver::State& external,
                    SGDynSigContext& context, int frames, double playTime);

    // The plan of the last step: one tempo (BPM) per block, block 0 first. Empty while not
    // locked. Blocks beyond the plan run at its last tempo.
    int blockCount() const { return blockCount_; }
    double blockTempo(int block) const;
    // Sets the clock's speed for the block (only while locked). It sets samples per tick
    // directly: a planned tempo is not an edit of the document's tempo.
    void applyBlockTempo(SGDynSigContext& context, int block) const;

    // Where the external clock stands at time t, by extrapolation from its last clock.
    static double externalPosition(const KDMidiClockReceiver::State& external, double t,
                                   double extraMs = 0.0);

private:
    LockChange setLocked(bool locked);
    void plan(const KDMidiClockReceiver::State& external, SGDynSigContext& context, int blocks,
              double playTime);

    std::atomic<bool> chaseSync_{false};
    std::atomic<bool> syncLocked_{false};
    std::atomic<VTSyncLockListener*> listener_{nullptr};
    int blockCount_ = 0;
    double blockTempos_[kMaxBlocks] = {};
};
