#include "library/plugins/VSTHostCallback.h"

#include "library/plugins/VSTSignalProcessor.h"

namespace VSTHostCallback {

namespace {

std::atomic<std::int32_t>& currentId() {
    static std::atomic<std::int32_t> id{0};
    return id;
}

// What an early host reports as the interface version it speaks.
constexpr std::intptr_t kHostVersion = 2;

}  // namespace

void setCurrentPluginId(std::int32_t id) { currentId().store(id, std::memory_order_relaxed); }
std::int32_t currentPluginId() { return currentId().load(std::memory_order_relaxed); }

std::intptr_t dispatch(VSTABI::Effect* effect, std::int32_t opcode, std::int32_t index,
                       std::intptr_t, void*, float opt) {
    switch (opcode) {
        case VSTABI::audioMasterAutomate:
            // Runs on whatever thread the plug-in calls from, the audio thread included: it only
            // stores into the property. A plug-in that automates while it is still being opened
            // has no processor yet; the value reaches the property when it is read at creation.
            if (VSTSignalProcessor* processor = VSTSignalProcessor::fromEffect(effect))
                processor->automate(index, opt);
            return 0;
        case VSTABI::audioMasterVersion:
            return kHostVersion;
        case VSTABI::audioMasterCurrentId:
            return currentPluginId();
        case VSTABI::audioMasterIdle:
            return 0;
        case VSTABI::audioMasterPinConnected:
            return 1;
        // No transport information is offered: a null time record tells the plug-in so.
        case VSTABI::audioMasterGetTime:
            return 0;
        default:
            return 0;
    }
}

}  // namespace VSTHostCallback
