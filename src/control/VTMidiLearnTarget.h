#pragma once

// A window that waits to learn a MIDI controller (the quick-map buttons). The control server
// calls midiControllerLearned once, with the key of the next mappable message, and forgets the
// target. The call comes on the MIDI input's thread: an implementation only hands the key over
// to its own thread (a queued call) and returns.
class VTMidiLearnTarget {
public:
    virtual void midiControllerLearned(int controlKey) = 0;

protected:
    ~VTMidiLearnTarget() = default;
};
