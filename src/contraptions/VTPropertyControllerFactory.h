#pragma once

#include <memory>

class VTPropControllerTable;
class VTPropertyController;

// Builds the controllers of controller tables. The control layer installs the factory whose
// controllers listen to MIDI; while none is installed, tables stay empty and a stored table
// that names a controller cannot be read.
class VTPropertyControllerFactory {
public:
    virtual ~VTPropertyControllerFactory() = default;

    // The controller that recalls the table's presets by program number.
    virtual std::unique_ptr<VTPropertyController> createPresetController(
        VTPropControllerTable& table) = 0;
    // The controller of parameter `index`, which the table has already found controllable; none
    // when the factory has no controller for it.
    virtual std::unique_ptr<VTPropertyController> createPropertyController(
        VTPropControllerTable& table, int index) = 0;

    // UI thread. The caller keeps the factory alive while it is installed and while any
    // controller it built lives.
    static void install(VTPropertyControllerFactory* factory);
    static VTPropertyControllerFactory* current();
};
