#pragma once

#include <cstdint>

#include "library/plugins/VSTPluginABI.h"

// What a test plug-in records about the host's calls, read by the tests through the library's
// exported vstFixtureProbe(). One record per loaded library, shared by its instances.
struct FixtureProbe {
    static constexpr int kLogSize = 512;

    int entryCalls;
    int liveInstances;
    // The dispatcher calls in order: opcode, index, value and float of each.
    int callCount;
    std::int32_t opcodes[kLogSize];
    std::int32_t indices[kLogSize];
    std::intptr_t values[kLogSize];
    float floats[kLogSize];
    int setParameterCalls;
    std::int32_t lastSetIndex;
    float lastSetValue;
    int processCalls;
    int replacingCalls;
    VSTABI::HostCallback host;
    VSTABI::Effect* lastEffect;
    // Answers the host gave the plug-in while it was made and opened.
    std::intptr_t versionAnswer;
    std::intptr_t currentIdDuringEntry;
    std::intptr_t currentIdAfterEntry;
    // The CrashInProcess variant crashes in the block after this many (4 when 0).
    int crashAfterBlocks;
};

using FixtureProbeFunction = FixtureProbe* (*)();
// The plug-in's own editor moving a parameter: the plug-in takes the value and tells the host.
using FixtureAutomateFunction = void (*)(VSTABI::Effect* effect, std::int32_t index, float value);
using FixtureResetFunction = void (*)();
