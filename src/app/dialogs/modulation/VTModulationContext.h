#pragma once

#include <functional>

class VTDocument;
class VTMidiControlServer;

// What the mapping windows need of the program around them: the control server whose learn
// target they become, the present document (it changes with New and Open) and whether MIDI
// controllers are switched on.
struct VTModulationContext {
    VTMidiControlServer* server = nullptr;
    std::function<VTDocument*()> document;
    std::function<bool()> controllersEnabled;
};
