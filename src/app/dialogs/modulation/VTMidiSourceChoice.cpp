#include "app/dialogs/modulation/VTMidiSourceChoice.h"

#include "control/VTMidiControlServer.h"

namespace VTMidiSourceChoice {

const std::array<const char*, kTypeCount> kTypeNames = {
    "(None)",         "7 bit Control Change", "14 bit Control Change",
    "Program Change", "Channel Pressure",     "Pitch Bend"};

const std::array<std::uint8_t, kTypeCount> kTypes = {0,
                                                     VTMidiControlServer::kControlChange7,
                                                     VTMidiControlServer::kControlChange14,
                                                     VTMidiControlServer::kProgramChange,
                                                     VTMidiControlServer::kChannelPressure,
                                                     VTMidiControlServer::kPitchBend};

int entryOf(std::uint8_t type) {
    for (int i = 0; i < kTypeCount; ++i)
        if (kTypes[static_cast<std::size_t>(i)] == type) return i;
    return 0;
}

VTMidiSource withType(const VTMidiSource& source, std::uint8_t type) {
    VTMidiSource result{type, source.channel, 0};
    if (type == VTMidiControlServer::kControlChange7) {
        result.number = source.number;
    } else if (type == VTMidiControlServer::kControlChange14) {
        int n = source.number > 31 ? source.number - 32 : source.number;
        result.number = n > 31 ? 0 : n;
    }
    return result;
}

int numberMaximum(std::uint8_t type) {
    if (type == VTMidiControlServer::kControlChange7) return 97;
    if (type == VTMidiControlServer::kControlChange14) return 31;
    return 0;
}

bool hasNumber(std::uint8_t type) {
    return type == VTMidiControlServer::kControlChange7 ||
           type == VTMidiControlServer::kControlChange14;
}

bool hasChannel(std::uint8_t type) { return type != 0; }

VTMidiSource fromKey(int controlKey) {
    const int high = (controlKey >> 8) & 0xFF;
    return VTMidiSource{static_cast<std::uint8_t>(high & 0xF0), high & 0x0F, controlKey & 0xFF};
}

}  // namespace VTMidiSourceChoice
