#pragma once

// Told when the clock chase locks onto an external MIDI clock or lets go of it (the main window
// refreshes its transport controls). The call comes on the audio thread, inside the buffer
// cycle: an implementation only records the change (an atomic flag, a lock-free queue) for its
// own thread and returns at once, allocating nothing.
class VTSyncLockListener {
public:
    virtual void syncLockChanged(bool locked) = 0;

protected:
    ~VTSyncLockListener() = default;
};
