#include "library/plugins/VSTSignalProcessor.h"

#include <algorithm>
#include <memory>
#include <set>

#include "signal/SGConstants.h"

namespace {

// The descriptors of live processors; built and destroyed on the user-interface thread only.
std::set<const VSTABI::Effect*>& wrappedEffects() {
    static std::set<const VSTABI::Effect*> effects;
    return effects;
}

}  // namespace

VSTSignalProcessor::VSTSignalProcessor(VSTABI::Effect& effect,
                                       const SGDynamicPropertyTable::ClassInfo& info)
    : SGSignalProcessor(clampedCount(effect.numInputs), clampedCount(effect.numOutputs)),
      effect_(&effect),
      table_(&info),
      inputCopies_(static_cast<std::size_t>(inletCount())),
      inputs_(static_cast<std::size_t>(std::max(kPointerSlots, inletCount())), nullptr),
      outputs_(static_cast<std::size_t>(std::max(kPointerSlots, outletCount())), nullptr) {
    // A later instance that declares more parameters than the first one described keeps only
    // the described ones: the table can tell nothing about the rest.
    int count = std::min(clampedCount(effect.numParams), static_cast<int>(info.infos.size()));
    parameters_.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        double initial = effect.getParameter ? effect.getParameter(&effect, i) : 0.0;
        auto property = std::make_unique<SGDoubleProperty>(initial);
        property->clearChanged();
        parameters_.push_back(property.get());
        table_.addProperty(std::move(property));
    }
    for (int i = 0; i < inletCount(); ++i)
        inputs_[static_cast<std::size_t>(i)] = inputCopies_[static_cast<std::size_t>(i)].samples();
    for (int j = 0; j < outletCount(); ++j)
        outputs_[static_cast<std::size_t>(j)] = outletSignal(j).samples();
    effect_->hostReserved1 = reinterpret_cast<std::intptr_t>(this);
    wrappedEffects().insert(effect_);
}

VSTSignalProcessor::~VSTSignalProcessor() {
    // Automation arriving from here on has nowhere to go.
    effect_->hostReserved1 = 0;
    wrappedEffects().erase(effect_);
    effect_->dispatcher(effect_, VSTABI::effMainsChanged, 0, 0, nullptr, 0.0f);
    effect_->dispatcher(effect_, VSTABI::effClose, 0, 0, nullptr, 0.0f);
}

VSTSignalProcessor* VSTSignalProcessor::fromEffect(const VSTABI::Effect* effect) {
    if (effect == nullptr) return nullptr;
    return reinterpret_cast<VSTSignalProcessor*>(effect->hostReserved1);
}

bool VSTSignalProcessor::isWrapped(const VSTABI::Effect* effect) {
    return wrappedEffects().count(effect) != 0;
}

void VSTSignalProcessor::automate(std::int32_t index, float value) {
    if (index < 0 || index >= parameterCount()) return;
    SGDoubleProperty& p = parameter(index);
    p.setValue(value);
    p.clearChanged();
}

void VSTSignalProcessor::pushChangedParameters() {
    if (effect_->setParameter == nullptr) return;
    for (int i = 0; i < parameterCount(); ++i) {
        SGDoubleProperty& p = parameter(i);
        if (p.testAndClearChanged())
            effect_->setParameter(effect_, i, static_cast<float>(p.value()));
    }
}

void VSTSignalProcessor::process() {
    pushChangedParameters();
    for (int i = 0; i < inletCount(); ++i)
        inputCopies_[static_cast<std::size_t>(i)].assign(inletSignal(i));
    const std::int32_t frames = static_cast<std::int32_t>(SGBlockSize);
    bool replacing = (effect_->flags & VSTABI::kFlagCanReplacing) != 0 && effect_->processReplacing;
    if (replacing) {
        effect_->processReplacing(effect_, inputs_.data(), outputs_.data(), frames);
        return;
    }
    // The accumulating call adds into the outlets, so they start each block silent.
    for (int j = 0; j < outletCount(); ++j) outletSignal(j).fill(0.0f);
    if (effect_->process) effect_->process(effect_, inputs_.data(), outputs_.data(), frames);
}

void VSTSignalProcessor::reset() {
    effect_->dispatcher(effect_, VSTABI::effMainsChanged, 0, 0, nullptr, 0.0f);
    effect_->dispatcher(effect_, VSTABI::effMainsChanged, 0, 1, nullptr, 0.0f);
    pushChangedParameters();
}
