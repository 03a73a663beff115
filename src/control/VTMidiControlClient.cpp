#include "control/VTMidiControlClient.h"

#include "control/VTMidiControlServer.h"

VTMidiControlClient::VTMidiControlClient(VTMidiControlServer& server) : server_(&server) {}

VTMidiControlClient::VTMidiControlClient() : VTMidiControlClient(VTMidiControlServer::global()) {}

VTMidiControlClient::~VTMidiControlClient() { clearSource(); }

void VTMidiControlClient::receive(int) {}

bool VTMidiControlClient::isValidSource(int type, int channel, int number) {
    if (type == 0) return true;
    if (channel < 0 || channel > 15) return false;
    switch (type) {
        case VTMidiControlServer::kControlChange7:
            return number >= 0 && number <= 97;
        case VTMidiControlServer::kControlChange14:
            return number >= 0 && number <= 31;
        case VTMidiControlServer::kProgramChange:
        case VTMidiControlServer::kChannelPressure:
        case VTMidiControlServer::kPitchBend:
            return true;
        default:
            return false;
    }
}

int VTMidiControlClient::controlKey() const {
    if (source_.type == 0) return -1;
    return VTMidiControlServer::controlKey(source_.type, source_.channel, source_.number);
}

bool VTMidiControlClient::setSource(int type, int channel, int number) {
    const bool valid = isValidSource(type, channel, number);
    if (source_.type != 0 && server_ != nullptr) server_->unregisterClient(controlKey(), this);
    if (!valid || type == 0) {
        source_ = VTMidiSource{};
        return valid;
    }
    const bool numbered = type == VTMidiControlServer::kControlChange7 ||
                          type == VTMidiControlServer::kControlChange14;
    source_ = VTMidiSource{static_cast<std::uint8_t>(type), channel, numbered ? number : 0};
    if (server_ != nullptr) server_->registerClient(controlKey(), this);
    return true;
}

void VTMidiControlClient::serverGone(VTMidiControlServer* server) {
    if (server_ == server) server_ = nullptr;
}
