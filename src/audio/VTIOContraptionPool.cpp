#include "audio/VTIOContraptionPool.h"

#include "audio/VTAuxIn.h"
#include "audio/VTAuxOut.h"
#include "audio/VTSoundIn.h"
#include "audio/VTSoundOut.h"
#include "signal/SGDynSigContext.h"

VTIOContraptionPool& VTIOContraptionPool::instance() {
    static VTIOContraptionPool pool;
    return pool;
}

VTIOContraptionPool::VTIOContraptionPool() = default;

VTIOContraptionPool::~VTIOContraptionPool() {
    // A processor still in a context at the end of the run leaves it first, so the context never
    // keeps a pipe that is gone.
    for (auto& slot : inputs_)
        if (slot.processor) detach(*slot.processor);
    for (auto& slot : outputs_)
        if (slot.processor) detach(*slot.processor);
}

SGSignalProcessor* VTIOContraptionPool::acquireInput(int i) {
    if (!valid(i) || inputs_[i].inUse) return nullptr;
    InputSlot& slot = inputs_[i];
    if (!slot.processor) {
        if (i == 0)
            slot.processor = std::make_unique<VTSoundIn>();
        else
            slot.processor = std::make_unique<VTAuxIn>();
        slot.signals = {&slot.processor->outletSignal(0), &slot.processor->outletSignal(1)};
    }
    slot.inUse = true;
    return slot.processor.get();
}

SGSignalProcessor* VTIOContraptionPool::acquireOutput(int i) {
    if (!valid(i) || outputs_[i].inUse) return nullptr;
    OutputSlot& slot = outputs_[i];
    if (!slot.processor) {
        if (i == 0)
            slot.processor = std::make_unique<VTSoundOut>(this);
        else
            slot.processor = std::make_unique<VTAuxOut>();
    }
    slot.inUse = true;
    return slot.processor.get();
}

// Every connection goes through the context, as when a pipe is destroyed, so both ends and the
// update list stay consistent and the next contraption of the slot starts unconnected.
void VTIOContraptionPool::detach(SGSignalProcessor& p) {
    SGDynSigContext* context = p.context();
    if (!context) return;
    for (int i = p.inletCount() - 1; i >= 0; --i) {
        auto& refs = p.inlet(i).refs;
        while (!refs.empty()) {
            auto ref = refs.back();
            std::size_t before = refs.size();
            context->disconnect(ref.pipe, ref.outlet, &p, i);
            if (refs.size() == before) refs.pop_back();
        }
    }
    for (int j = p.outletCount() - 1; j >= 0; --j) {
        auto& refs = p.outlet(j).refs;
        while (!refs.empty()) {
            auto ref = refs.back();
            std::size_t before = refs.size();
            context->disconnect(&p, j, ref.pipe, ref.inlet);
            if (refs.size() == before) refs.pop_back();
        }
    }
    p.setContext(nullptr);
}

void VTIOContraptionPool::releaseInput(int i) {
    if (!valid(i) || !inputs_[i].inUse) return;
    InputSlot& slot = inputs_[i];
    slot.inUse = false;
    detach(*slot.processor);
    if (i == 0) static_cast<VTSoundIn&>(*slot.processor).restoreDefaults();
    slot.processor->outletSignal(0).fill(0.0f);
    slot.processor->outletSignal(1).fill(0.0f);
}

void VTIOContraptionPool::releaseOutput(int i) {
    if (!valid(i) || !outputs_[i].inUse) return;
    OutputSlot& slot = outputs_[i];
    slot.inUse = false;
    detach(*slot.processor);
    if (i == 0) static_cast<VTSoundOut&>(*slot.processor).restoreDefaults();
}

VTIOContraptionPool::InputSignals VTIOContraptionPool::inputSignals(int i) const {
    if (!inputInUse(i)) return {};
    const SGSignalProcessor& p = *inputs_[i].processor;
    SGDynSigContext* context = p.context();
    if (!context || !context->isListed(&p)) return {};
    return inputs_[i].signals;
}

VTIOContraptionPool::OutputSignals VTIOContraptionPool::outputSignals(int i) const {
    if (!outputInUse(i)) return {};
    const SGSignalProcessor& p = *outputs_[i].processor;
    if (i == 0) {
        const auto& out = static_cast<const VTSoundOut&>(p);
        return {&out.sentSignal(0), &out.sentSignal(1)};
    }
    // Read when asked rather than kept from the last block: an edit between blocks may have
    // freed the summing block an inlet read then.
    return {&p.inletSignal(0), &p.inletSignal(1)};
}

VTSoundIn* VTIOContraptionPool::soundIn() const {
    return inputInUse(0) ? static_cast<VTSoundIn*>(inputs_[0].processor.get()) : nullptr;
}

VTSoundOut* VTIOContraptionPool::soundOut() const {
    return outputInUse(0) ? static_cast<VTSoundOut*>(outputs_[0].processor.get()) : nullptr;
}

bool VTIOContraptionPool::soundInUsesDevice() const {
    const VTSoundIn* in = soundIn();
    return in && in->useADC.value();
}
