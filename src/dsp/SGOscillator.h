#pragma once

#include "dsp/SGFunctionTable.h"
#include "sgopt/SGOpt.h"

// Reads a table round and round: the phase counts table entries and stays within [0, N]; a
// phase of exactly N reads the guard entry, which is the same as phase 0. The oscillator reads
// the table but does not own it.
class SGOscillator {
public:
    explicit SGOscillator(const SGFunctionTable& table) : table_(&table) {}

    void setTable(const SGFunctionTable& table) { table_ = &table; }
    const SGFunctionTable& table() const { return *table_; }

    // Table entries advanced per tick. Increments are never negative.
    void setIncrement(double increment) { increment_ = increment; }
    // The increment that gives frequencyHz when the oscillator is ticked tickRate times a
    // second (SGSampleRate for audio, SGSampleRate / SGBlockSize for once-a-block modulation).
    void setFrequency(double frequencyHz, double tickRate) {
        increment_ = table_->size() * frequencyHz / tickRate;
    }
    double increment() const { return increment_; }

    // The start position in cycles; whole cycles are dropped, but 1 stays 1 (phase N).
    void setPhase(double cycles);
    double phase() const { return phase_; }

    // The value at the present phase; then the phase advances.
    float tick() {
        const float v = SGInterpLookup(table_->data(), static_cast<float>(phase_));
        phase_ += increment_;
        if (phase_ > table_->size()) wrap();
        return v;
    }

    // The next n values of tick(), exactly, into out: the phases are stepped first and the
    // table is then read by the batched lookup, which vectorises where tick() cannot.
    void tickBlock(float* out, std::uint32_t n);

private:
    void wrap();

    double phase_ = 0.0;
    double increment_ = 0.0;
    const SGFunctionTable* table_;
};
