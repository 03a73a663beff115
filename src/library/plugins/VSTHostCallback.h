#pragma once

#include <atomic>
#include <cstdint>

#include "library/plugins/VSTPluginABI.h"

// The one host callback every plug-in is given. It answers the few requests a plain host
// answers and 0 to everything else, and routes automation back into the parameter's property.
namespace VSTHostCallback {

// The interface's callback: (descriptor or none, opcode, index, value, pointer, float).
std::intptr_t dispatch(VSTABI::Effect* effect, std::int32_t opcode, std::int32_t index,
                       std::intptr_t value, void* ptr, float opt);

// The id of the plug-in being made: 0 while its entry point runs, its uniqueID after that.
// Plug-ins ask for it through audioMasterCurrentId.
void setCurrentPluginId(std::int32_t id);
std::int32_t currentPluginId();

}  // namespace VSTHostCallback
