#pragma once

#include <cstdint>
#include <vector>

#include "library/plugins/VSTPluginABI.h"
#include "params/SGDoubleProperty.h"
#include "params/SGDynamicPropertyTable.h"
#include "params/SGSignalProcessor.h"
#include "signal/SGSignal.h"

// Wraps one opened plug-in instance: its inputs and outputs become the inlets and outlets, its
// parameters the properties (index = parameter number, range 0 ... 1). Property changes reach
// the plug-in at the start of the next block; the plug-in's own changes come back through the
// host callback's automation.
class VSTSignalProcessor : public SGSignalProcessor {
public:
    // The interface gives the plug-in lists of this many sample pointers at least.
    static constexpr int kPointerSlots = 32;

    // Takes over an opened, resumed descriptor; `info` lists the plug-in's parameters and
    // outlives the processor (it belongs to the maker). Each property starts at the plug-in's
    // own value with its changed bit clear.
    VSTSignalProcessor(VSTABI::Effect& effect, const SGDynamicPropertyTable::ClassInfo& info);
    // Suspends and closes the plug-in instance.
    ~VSTSignalProcessor() override;

    SGPropertyTable& propertyTable() override { return table_; }
    void process() override;
    // Suspends and resumes the plug-in, then pushes every changed property.
    void reset() override;

    // The host callback's automation: the plug-in already has the value, so the property takes
    // it with its changed bit clear. Indices outside the table are ignored.
    void automate(std::int32_t index, float value);

    VSTABI::Effect& effect() const { return *effect_; }
    int parameterCount() const { return static_cast<int>(parameters_.size()); }
    SGDoubleProperty& parameter(int index) { return *parameters_[static_cast<std::size_t>(index)]; }

    // The processor a descriptor belongs to, from the field the interface reserves for the
    // host; none for a descriptor not yet (or no longer) wrapped.
    static VSTSignalProcessor* fromEffect(const VSTABI::Effect* effect);
    // Whether a live processor wraps the descriptor. A plug-in whose entry point hands out one
    // descriptor again must not get a second processor, which would close it under the first.
    // User-interface thread only.
    static bool isWrapped(const VSTABI::Effect* effect);

private:
    static int clampedCount(std::int32_t n) { return n > 0 ? n : 0; }
    void pushChangedParameters();

    VSTABI::Effect* effect_;
    SGDynamicPropertyTable table_;
    std::vector<SGDoubleProperty*> parameters_;
    // The plug-in gets copies of its inlet blocks: a plug-in that works in place writes into
    // its inputs, which are other processors' outlets or the one shared zero block.
    std::vector<SGSignal> inputCopies_;
    std::vector<float*> inputs_;
    std::vector<float*> outputs_;
};
