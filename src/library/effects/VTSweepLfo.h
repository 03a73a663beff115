#pragma once

#include "dsp/SGFunctionTable.h"
#include "dsp/SGOscillator.h"

// The once-a-block sine sweep of the flanger and the phaser: a table sine between 0 and 1,
// ticked once per block. Its phase runs freely from construction.
class VTSweepLfo {
public:
    static constexpr std::uint32_t kTableSize = 1024;

    VTSweepLfo();
    VTSweepLfo(const VTSweepLfo&) = delete;
    VTSweepLfo& operator=(const VTSweepLfo&) = delete;

    // The sweep rate in Hz; table entries per block follow from the block rate.
    void setRate(double hertz);
    // The sweep position of this block, 0 ... 1; then the phase moves on by one block.
    float tick() { return oscillator_.tick(); }

    const SGOscillator& oscillator() const { return oscillator_; }

private:
    SGFunctionTable table_;
    SGOscillator oscillator_;
};
