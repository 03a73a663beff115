#pragma once

#include <istream>
#include <ostream>

#include "contraptions/VTPropertyController.h"
#include "control/VTControllerSource.h"

class VTMidiControlServer;

// The common part of the controllers that listen to MIDI: one source (two for a range), each a
// client of the control server, and the controller's text:
//   the reserved values, then "type channel number " for each source, then the points list.
// A source is written as 176 0 7 for controller 7 on the first channel as a 7-bit source.
class VTMidiPropertyController : public VTPropertyController {
public:
    VTMidiPropertyController(VTPropControllerTable& table, VTMidiControlServer& server);

    // The first source, and the second one (a range controller's width) or none.
    VTMidiControlClient& primarySource() { return primary_; }
    const VTMidiControlClient& primarySource() const { return primary_; }
    virtual VTMidiControlClient* secondarySource() { return nullptr; }

    void readController(std::istream& in) override;
    void writeController(std::ostream& out) const override;

    // A value 0 ... 16383 of source `which` has arrived. MIDI thread: no allocation, no lock.
    virtual void sourceValue(int which, int value) = 0;

    // The controller behind a table's entry, or none.
    static VTMidiPropertyController* from(VTPropertyController* controller) {
        return dynamic_cast<VTMidiPropertyController*>(controller);
    }

protected:
    // Every derived destructor calls this first, so that no value arrives while its members are
    // being destroyed.
    void stopListening();

    virtual void writePoints(std::ostream& out) const = 0;
    // False with the stream failed when the list does not parse.
    virtual bool readPoints(std::istream& in) = 0;

    VTMidiControlServer& server() const { return *server_; }

private:
    VTMidiControlServer* server_;
    VTControllerSource primary_;
};
