#include "control/VTTransport.h"

#include "signal/SGDynSigContext.h"
#include "signal/SGTempo.h"

double VTTransport::tempo() const { return sgTempoFromSamplesPerTick(context_.samplesPerTick()); }

bool VTTransport::setTempo(double bpm) {
    if (!sgIsUsableTempo(bpm)) return false;
    const double spt = sgSamplesPerTickFromTempo(bpm);
    if (!(spt > 0.0) || !std::isfinite(spt)) return false;
    context_.setSamplesPerTick(spt);
    return true;
}

double VTTransport::samplesPerTick() const { return context_.samplesPerTick(); }

void VTTransport::play() { context_.startClock(); }

void VTTransport::playFromStart() {
    context_.setClockPosition(0.0);
    context_.startClock();
}

void VTTransport::stop() { context_.stopClock(); }

bool VTTransport::isPlaying() const { return context_.isClockRunning(); }

void VTTransport::goToStart() {
    context_.stopClock();
    context_.setClockPosition(0.0);
}

double VTTransport::position() const { return context_.clockPosition(); }

void VTTransport::setPosition(double ticks) {
    if (std::isfinite(ticks)) context_.setClockPosition(ticks);
}

bool VTTransport::togglePlay() {
    if (isPlaying()) {
        stop();
        return false;
    }
    play();
    return true;
}

bool VTTransport::togglePlayFromStart() {
    if (isPlaying()) {
        stop();
        return false;
    }
    playFromStart();
    return true;
}

void VTTransport::resetForNewDocument() {
    stop();
    context_.setClockPosition(0.0);
    setTempo(kDefaultTempo);
}

std::string VTTransport::timecodeText(double ticks) {
    if (!std::isfinite(ticks)) ticks = 0.0;
    return std::to_string(sgBarNumber(ticks)) + " \u00B7 " + std::to_string(sgBeatInBar(ticks));
}
