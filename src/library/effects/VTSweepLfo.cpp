#include "library/effects/VTSweepLfo.h"

#include "signal/SGConstants.h"

VTSweepLfo::VTSweepLfo() : table_(kTableSize), oscillator_(table_) {
    table_.addHarmonic(1.0f, 0.5f, 0.0f, 0.5f);
    oscillator_.setIncrement(1.0);
}

void VTSweepLfo::setRate(double hertz) {
    oscillator_.setIncrement(kTableSize / ((SGSampleRate / SGBlockSize) / hertz));
}
