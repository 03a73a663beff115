// A small plug-in for the host's tests, built in several variants (one library each) by
// compile definitions:
//   FIXTURE_REPLACING     1 in, 1 out; processReplacing gives in * 2 * Gain + Offset
//   FIXTURE_ACCUMULATING  1 in, 1 out; only process, which adds in + 0.25 into the output
//   FIXTURE_STEREO        2 in, 2 out; processReplacing swaps the channels, then scribbles
//                         over its inputs as in-place plug-ins do
//   FIXTURE_ENTRY_*       which entry points the library exports (VSTPluginMain, main, Main)
//   FIXTURE_FAIL_*        the check the variant fails: NULL_ENTRY, NO_DISPATCHER, BAD_MAGIC,
//                         BAD_ID
//   FIXTURE_CRASH_IN_OPEN / FIXTURE_CRASH_IN_PROCESS
//                         a plug-in that crashes while it is opened or while it processes
//   FIXTURE_SINGLETON     the entry point hands out its one open descriptor again
//   FIXTURE_ID            the uniqueID (tells the entry points apart)
//   FIXTURE_IDENTIFY      the answer to effIdentify (0 by default, as recent plug-ins give)

#include <csignal>
#include <cstdio>
#include <cstring>

#include "FixtureProbe.h"

// Each variant uses only some of the pieces below.
#pragma GCC diagnostic ignored "-Wunused-function"

using namespace VSTABI;

#define FIXTURE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

#if defined(FIXTURE_STEREO)
constexpr int kInputs = 2, kOutputs = 2;
#else
constexpr int kInputs = 1, kOutputs = 1;
#endif

#ifndef FIXTURE_ID
#define FIXTURE_ID 0x46697874
#endif
#ifndef FIXTURE_IDENTIFY
#define FIXTURE_IDENTIFY 0
#endif

constexpr int kParams = 5;
// Blanks before and after names, a duplicate, a name longer than the host keeps.
const char* const kParamNames[kParams] = {"  Cutoff Frequency", "Gain    ", "Offset", "Gain",
                                          "AVeryLongParameterName"};
const float kInitial[kParams] = {0.25f, 0.5f, 0.0f, 0.75f, 1.0f};

FixtureProbe probe;

struct Instance {
    Effect effect;
    float params[kParams];
};

// The one descriptor of the singleton variant while it is open.
Instance* openSingleton = nullptr;

Instance* instanceOf(Effect* e) { return static_cast<Instance*>(e->object); }

std::intptr_t dispatcher(Effect* e, std::int32_t opcode, std::int32_t index, std::intptr_t value,
                         void* ptr, float opt) {
    if (probe.callCount < FixtureProbe::kLogSize) {
        probe.opcodes[probe.callCount] = opcode;
        probe.indices[probe.callCount] = index;
        probe.values[probe.callCount] = value;
        probe.floats[probe.callCount] = opt;
        ++probe.callCount;
    }
    Instance* self = instanceOf(e);
    switch (opcode) {
        case effOpen:
#if defined(FIXTURE_CRASH_IN_OPEN)
            std::raise(SIGSEGV);
#endif
            probe.currentIdAfterEntry = probe.host(e, audioMasterCurrentId, 0, 0, nullptr, 0.0f);
            // Automation sent while the host is still opening the plug-in.
            self->params[4] = 0.125f;
            probe.host(e, audioMasterAutomate, 4, 0, nullptr, 0.125f);
            return 0;
        case effClose:
            --probe.liveInstances;
            if (self == openSingleton) openSingleton = nullptr;
            delete self;
            return 0;
        case effGetParamName:
            if (index >= 0 && index < kParams)
                std::strcpy(static_cast<char*>(ptr), kParamNames[index]);
            return 0;
        case effGetParamDisplay:
            // The value as a plug-in would show it, longer than the host keeps.
            if (index >= 0 && index < kParams)
                std::snprintf(static_cast<char*>(ptr), 16, "%.9f", self->params[index]);
            return 0;
        case effGetParamLabel:
            if (index == 1) std::strcpy(static_cast<char*>(ptr), "dB");
            return 0;
        case effIdentify:
            return FIXTURE_IDENTIFY;
        default:
            return 0;
    }
}

void setParameter(Effect* e, std::int32_t index, float value) {
    ++probe.setParameterCalls;
    probe.lastSetIndex = index;
    probe.lastSetValue = value;
    if (index >= 0 && index < kParams) instanceOf(e)->params[index] = value;
}

float getParameter(Effect* e, std::int32_t index) {
    return index >= 0 && index < kParams ? instanceOf(e)->params[index] : 0.0f;
}

void processReplacing(Effect* e, float** in, float** out, std::int32_t frames) {
    ++probe.replacingCalls;
#if defined(FIXTURE_CRASH_IN_PROCESS)
    if (probe.replacingCalls > (probe.crashAfterBlocks > 0 ? probe.crashAfterBlocks : 4))
        std::raise(SIGSEGV);
#endif
#if defined(FIXTURE_STEREO)
    (void)e;
    for (int i = 0; i < frames; ++i) {
        float left = in[0][i], right = in[1][i];
        out[0][i] = right;
        out[1][i] = left;
    }
    for (int k = 0; k < kInputs; ++k)
        for (int i = 0; i < frames; ++i) in[k][i] = 99.0f;
#else
    const float* p = instanceOf(e)->params;
    for (int i = 0; i < frames; ++i) out[0][i] = in[0][i] * 2.0f * p[1] + p[2];
#endif
}

void process(Effect*, float** in, float** out, std::int32_t frames) {
    ++probe.processCalls;
    for (int k = 0; k < kOutputs; ++k)
        for (int i = 0; i < frames; ++i) out[k][i] += in[0][i] + 0.25f;
}

Effect* make(HostCallback host) {
    ++probe.entryCalls;
    probe.host = host;
    probe.versionAnswer = host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f);
    probe.currentIdDuringEntry = host(nullptr, audioMasterCurrentId, 0, 0, nullptr, 0.0f);
#if defined(FIXTURE_FAIL_NULL_ENTRY)
    return nullptr;
#else
#if defined(FIXTURE_FAIL_NO_DISPATCHER)
    // Never closed (there is no dispatcher to close it with), so not allocated either.
    static Instance unclosable;
    unclosable = Instance{};
    auto* self = &unclosable;
#else
#if defined(FIXTURE_SINGLETON)
    if (openSingleton != nullptr) return &openSingleton->effect;
#endif
    auto* self = new Instance{};
#if defined(FIXTURE_SINGLETON)
    openSingleton = self;
#endif
#endif
    Effect& e = self->effect;
    e.magic = kEffectMagic;
#if defined(FIXTURE_FAIL_BAD_MAGIC)
    e.magic = fourCharacters('N', 'o', 'p', 'e');
#endif
    e.dispatcher = dispatcher;
#if defined(FIXTURE_FAIL_NO_DISPATCHER)
    e.dispatcher = nullptr;
#endif
    e.process = process;
    e.setParameter = setParameter;
    e.getParameter = getParameter;
    e.numPrograms = 1;
    e.numParams = kParams;
    e.numInputs = kInputs;
    e.numOutputs = kOutputs;
#if !defined(FIXTURE_ACCUMULATING)
    e.flags = kFlagCanReplacing;
    e.processReplacing = processReplacing;
#endif
    // Left over from the plug-in's own use; the host must not take it for one of its own.
    e.hostReserved1 = 12345;
    e.object = self;
    e.uniqueID = FIXTURE_ID;
    std::memcpy(self->params, kInitial, sizeof kInitial);
    probe.lastEffect = &e;
    ++probe.liveInstances;
    return &e;
#endif
}

}  // namespace

FIXTURE_EXPORT FixtureProbe* vstFixtureProbe() { return &probe; }
// Forgets what was recorded; the live instances stay counted.
FIXTURE_EXPORT void vstFixtureResetProbe() {
    int live = probe.liveInstances;
    probe = FixtureProbe{};
    probe.liveInstances = live;
}

FIXTURE_EXPORT void vstFixtureAutomate(Effect* e, std::int32_t index, float value) {
    instanceOf(e)->params[index] = value;
    probe.host(e, audioMasterAutomate, index, 0, nullptr, value);
}

#if defined(FIXTURE_ENTRY_VSTPLUGINMAIN)
FIXTURE_EXPORT Effect* VSTPluginMain(HostCallback host) { return make(host); }
#endif
#if defined(FIXTURE_ENTRY_MAIN)
// "main" cannot be declared as a C function of this type, so the symbol is named directly.
FIXTURE_EXPORT Effect* fixtureMain(HostCallback host) __asm__("main");
Effect* fixtureMain(HostCallback host) {
    Effect* e = make(host);
    if (e != nullptr) e->uniqueID = fourCharacters('m', 'a', 'i', 'n');
    return e;
}
#endif
#if defined(FIXTURE_ENTRY_CAPITAL_MAIN)
FIXTURE_EXPORT Effect* Main(HostCallback host) {
    Effect* e = make(host);
    if (e != nullptr) e->uniqueID = fourCharacters('M', 'a', 'i', 'n');
    return e;
}
#endif
