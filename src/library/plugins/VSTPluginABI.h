#pragma once

// The binary interface between this host and a VST plug-in, declared here from the published
// record layout and opcode numbers. Only what the host uses or must keep in place is named; the
// layout is the 64-bit Linux one (pointers and pointer-sized integers 8 bytes, natural
// alignment), which the static checks below pin down.
//
// The test suite's own plug-ins are built on this header too.

#include <cstddef>
#include <cstdint>

namespace VSTABI {

struct Effect;

// Host callback and the plug-in's entry points. Every call passes the descriptor (or none while
// the plug-in is still being made), an opcode, an index, a pointer-sized value, a pointer and a
// float.
using HostCallback = std::intptr_t (*)(Effect* effect, std::int32_t opcode, std::int32_t index,
                                       std::intptr_t value, void* ptr, float opt);
using Dispatcher = std::intptr_t (*)(Effect* effect, std::int32_t opcode, std::int32_t index,
                                     std::intptr_t value, void* ptr, float opt);
using ProcessFunction = void (*)(Effect* effect, float** inputs, float** outputs,
                                 std::int32_t sampleFrames);
using ProcessDoubleFunction = void (*)(Effect* effect, double** inputs, double** outputs,
                                       std::int32_t sampleFrames);
using SetParameterFunction = void (*)(Effect* effect, std::int32_t index, float value);
using GetParameterFunction = float (*)(Effect* effect, std::int32_t index);
using EntryPoint = Effect* (*)(HostCallback host);

// The plug-in descriptor. It belongs to the plug-in; the host reads it and writes only the
// field reserved for the host (hostReserved1).
struct Effect {
    std::int32_t magic;
    Dispatcher dispatcher;
    ProcessFunction process;  // accumulating: adds into the outputs
    SetParameterFunction setParameter;
    GetParameterFunction getParameter;
    std::int32_t numPrograms;
    std::int32_t numParams;
    std::int32_t numInputs;
    std::int32_t numOutputs;
    std::int32_t flags;
    std::intptr_t hostReserved1;
    std::intptr_t hostReserved2;
    std::int32_t initialDelay;
    std::int32_t realQualities;
    std::int32_t offQualities;
    float ioRatio;
    void* object;  // the plug-in's own
    void* user;
    std::int32_t uniqueID;
    std::int32_t version;
    ProcessFunction processReplacing;  // overwrites the outputs
    ProcessDoubleFunction processDoubleReplacing;
    char future[56];
};

static_assert(offsetof(Effect, dispatcher) == 8);
static_assert(offsetof(Effect, process) == 16);
static_assert(offsetof(Effect, setParameter) == 24);
static_assert(offsetof(Effect, getParameter) == 32);
static_assert(offsetof(Effect, numPrograms) == 40);
static_assert(offsetof(Effect, numParams) == 44);
static_assert(offsetof(Effect, numInputs) == 48);
static_assert(offsetof(Effect, numOutputs) == 52);
static_assert(offsetof(Effect, flags) == 56);
static_assert(offsetof(Effect, hostReserved1) == 64);
static_assert(offsetof(Effect, initialDelay) == 80);
static_assert(offsetof(Effect, object) == 96);
static_assert(offsetof(Effect, uniqueID) == 112);
static_assert(offsetof(Effect, processReplacing) == 120);
static_assert(sizeof(Effect) == 192);

// Four characters packed big-end first, as the interface writes its tags.
constexpr std::int32_t fourCharacters(char a, char b, char c, char d) {
    return static_cast<std::int32_t>(
        (static_cast<std::uint32_t>(static_cast<unsigned char>(a)) << 24) |
        (static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 16) |
        (static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 8) |
        static_cast<std::uint32_t>(static_cast<unsigned char>(d)));
}

constexpr std::int32_t kEffectMagic = fourCharacters('V', 's', 't', 'P');     // 0x56737450
constexpr std::int32_t kIdentifyAnswer = fourCharacters('N', 'v', 'E', 'f');  // 0x4e764566
static_assert(kEffectMagic == 0x56737450 && kIdentifyAnswer == 0x4e764566);

// Descriptor flags.
constexpr std::int32_t kFlagHasEditor = 1 << 0;
constexpr std::int32_t kFlagCanReplacing = 1 << 4;

// Opcodes the host sends through the dispatcher.
enum EffectOpcode : std::int32_t {
    effOpen = 0,
    effClose = 1,
    effSetProgram = 2,
    effGetParamLabel = 6,
    effGetParamDisplay = 7,
    effGetParamName = 8,
    effSetSampleRate = 10,
    effSetBlockSize = 11,
    effMainsChanged = 12,
    effEditGetRect = 13,
    effEditOpen = 14,
    effEditClose = 15,
    effIdentify = 22,
};

// Opcodes a plug-in sends to the host callback. Only these four get an answer other than 0; the
// rest (time information among them) are named where the host answers them on purpose.
enum HostOpcode : std::int32_t {
    audioMasterAutomate = 0,
    audioMasterVersion = 1,
    audioMasterCurrentId = 2,
    audioMasterIdle = 3,
    audioMasterPinConnected = 4,
    audioMasterGetTime = 7,
};

// The editor rectangle a plug-in gives for effEditGetRect.
struct EditorRect {
    std::int16_t top;
    std::int16_t left;
    std::int16_t bottom;
    std::int16_t right;
};

}  // namespace VSTABI
