#pragma once

#include "control/VTMidiControlClient.h"

class VTMidiPropertyController;

// One MIDI source of a property controller: the client passes every value it receives, with
// the source's place in its controller (0 for the first or only source, 1 for a range's width),
// to the controller's mapping.
class VTControllerSource : public VTMidiControlClient {
public:
    VTControllerSource(VTMidiControlServer& server, VTMidiPropertyController& owner, int which)
        : VTMidiControlClient(server), owner_(&owner), which_(which) {}
    ~VTControllerSource() override { clearSource(); }

    void receive(int value) override;

private:
    VTMidiPropertyController* owner_;
    int which_;
};
