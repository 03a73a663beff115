#pragma once

#include <vector>

#include "params/SGDoubleProperty.h"
#include "params/SGIntProperty.h"
#include "params/SGPropertyUnits.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"

// Small processors for tests of the graph and of the parameter machinery.
namespace vantrel::test {

// Writes a constant on every outlet; counts its calls.
class ConstantSource : public SGSignalProcessor {
public:
    explicit ConstantSource(float value = 1.0f, int outlets = 1) : SGSignalProcessor(0, outlets), value(value) {}
    void process() override {
        ++calls;
        for (int j = 0; j < outletCount(); ++j) outletSignal(j).fill(value);
    }
    float value;
    int calls = 0;
};

// Sums its inlets into its outlets (outlet j gets inlet j, or inlet 0); records the first
// sample it read on inlet 0.
class Through : public SGSignalProcessor {
public:
    explicit Through(int inlets = 1, int outlets = 1, float gain = 1.0f)
        : SGSignalProcessor(inlets, outlets), gain(gain) {}
    void process() override {
        ++calls;
        lastInput = inletSignal(0)[0];
        for (int j = 0; j < outletCount(); ++j)
            outletSignal(j).assignScaled(inletSignal(j < inletCount() ? j : 0), gain);
    }
    float gain;
    float lastInput = 0.0f;
    int calls = 0;
};

// A pipe without outlets, like a device output: keeps a copy of what its inlets read.
class Sink : public SGSignalProcessor {
public:
    explicit Sink(int inlets = 1) : SGSignalProcessor(inlets, 0), received(static_cast<std::size_t>(inlets)) {}
    void process() override {
        ++calls;
        for (int i = 0; i < inletCount(); ++i) received[static_cast<std::size_t>(i)] = inletSignal(i);
    }
    void reset() override { ++resets; }
    std::vector<SGSignal> received;
    int calls = 0;
    int resets = 0;
};

// The parameters of a test generator: Amplitude 0, Frequency 440, Waveform 1.
class ThreeParams : public SGSignalProcessor {
public:
    ThreeParams() : SGSignalProcessor(0, 1) {}
    SGPropertyTable& propertyTable() override {
        static SGStaticPropertyTable::ClassInfo info;
        info.buildOnce([this](auto& add) {
            add(table, amplitude, "Amplitude", SGVolumeUnits::instance(), 0.0, 1.0);
            add(table, frequency, "Frequency", SGFrequencyUnits::instance(), 20.0, 20000.0);
            add(table, waveform, "Waveform", SGAbstractUnits::instance(), 0.0, 0.0);
        });
        return table.bind(info);
    }
    void process() override { outletSignal(0).fill(static_cast<float>(amplitude.value())); }

    SGDoubleProperty amplitude{0.0};
    SGDoubleProperty frequency{440.0};
    SGIntProperty waveform{1};
    SGStaticPropertyTable table;
};

}  // namespace vantrel::test
