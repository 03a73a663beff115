#include "control/VTMidiPropertyController.h"

#include <limits>

#include "params/SGTextIO.h"

void VTControllerSource::receive(int value) { owner_->sourceValue(which_, value); }

VTMidiPropertyController::VTMidiPropertyController(VTPropControllerTable& table,
                                                   VTMidiControlServer& server)
    : VTPropertyController(table), server_(&server), primary_(server, *this, 0) {}

void VTMidiPropertyController::stopListening() {
    primary_.clearSource();
    if (VTMidiControlClient* second = secondarySource()) second->clearSource();
}

namespace {

void writeSource(std::ostream& out, const VTMidiControlClient& client) {
    const VTMidiSource s = client.getSource();
    out << static_cast<int>(s.type) << ' ' << s.channel << ' ' << s.number << ' ';
}

bool readInt(std::istream& in, int& value) {
    long long v = 0;
    if (!SGTextIO::readInteger(in, v) || v < std::numeric_limits<int>::min() ||
        v > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(v);
    return true;
}

// A triple that parses but names no controller leaves the source unset: the text is still
// readable, the mapping just listens to nothing.
bool readSource(std::istream& in, VTMidiControlClient& client) {
    int type = 0, channel = 0, number = 0;
    if (!readInt(in, type) || !readInt(in, channel) || !readInt(in, number)) {
        SGTextIO::fail(in);
        return false;
    }
    client.setSource(type, channel, number);
    return true;
}

}  // namespace

void VTMidiPropertyController::writeController(std::ostream& out) const {
    writeReserved(out);
    writeSource(out, primary_);
    // Asking for the second source changes nothing.
    if (const VTMidiControlClient* second =
            const_cast<VTMidiPropertyController*>(this)->secondarySource())
        writeSource(out, *second);
    writePoints(out);
}

void VTMidiPropertyController::readController(std::istream& in) {
    if (!readReserved(in) || !readSource(in, primary_)) return;
    if (VTMidiControlClient* second = secondarySource())
        if (!readSource(in, *second)) return;
    readPoints(in);
}
