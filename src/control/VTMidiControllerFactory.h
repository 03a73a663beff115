#pragma once

#include <memory>

#include "contraptions/VTPropertyControllerFactory.h"

class VTMidiControlServer;

// Builds the controllers that listen to MIDI through one control server: the preset controller,
// and a bool, integer, double or range controller after the parameter's type. The program
// installs the global one at start-up, before any document is read.
class VTMidiControllerFactory : public VTPropertyControllerFactory {
public:
    explicit VTMidiControllerFactory(VTMidiControlServer& server) : server_(&server) {}

    std::unique_ptr<VTPropertyController> createPresetController(
        VTPropControllerTable& table) override;
    std::unique_ptr<VTPropertyController> createPropertyController(VTPropControllerTable& table,
                                                                   int index) override;

    // The factory of the program's one control server.
    static VTMidiControllerFactory& global();
    // Installs the global factory.
    static void install();

private:
    VTMidiControlServer* server_;
};
