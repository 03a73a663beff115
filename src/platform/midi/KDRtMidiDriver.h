#pragma once

#include <string>

#include "platform/midi/KDMidiDriver.h"

// The MIDI sources of the ALSA sequencer and of JACK, through RtMidi. ALSA sources are listed
// first, under their RtMidi names; JACK sources follow, named "JACK: " and the JACK port name.
// A machine without an ALSA sequencer or without a running JACK server simply lists nothing
// for that system.
class KDRtMidiDriver : public KDMidiDriver {
public:
    // clientName names the program's ALSA client and JACK client; portName its input ports.
    explicit KDRtMidiDriver(std::string clientName = "Vantrel", std::string portName = "MIDI In");

    std::vector<std::string> inputDeviceNames() override;
    std::unique_ptr<KDMidiInputPort> openInput(const std::string& name,
                                               KDMidiInputCallback& callback) override;

    static constexpr const char* kJackPrefix = "JACK: ";

private:
    std::string clientName_;
    std::string portName_;
};
