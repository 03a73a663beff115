#pragma once

#include <istream>
#include <memory>
#include <ostream>
#include <vector>

#include "contraptions/VTPropertyController.h"

class VTContraption;

// The MIDI controllers of one contraption: the preset controller, and one controller for each
// parameter that can have one (bool, integer, double and range parameters whose minimum differs
// from their maximum). A contraption owns its table from construction to destruction; the
// controllers are made on first use by the installed VTPropertyControllerFactory, so a new
// table is empty. Used on the user-interface thread; the controllers' MIDI side reaches the
// parameters on its own.
class VTPropControllerTable {
public:
    explicit VTPropControllerTable(VTContraption& contraption) : contraption_(&contraption) {}
    // Destroys every controller, which stops it listening.
    ~VTPropControllerTable();
    VTPropControllerTable(const VTPropControllerTable&) = delete;
    VTPropControllerTable& operator=(const VTPropControllerTable&) = delete;

    VTContraption& contraption() const { return *contraption_; }

    // Made on first use; none only while no controller factory is installed.
    VTPropertyController* presetController();
    // The controller of parameter i, made on first use; none for a parameter that cannot have
    // one, an index outside the property table, or while no factory is installed. The first
    // one made creates the per-parameter list, sized to the present parameter count.
    VTPropertyController* controllerFor(int i);
    // The controllers made so far, without making any.
    VTPropertyController* existingPresetController() const { return preset_.get(); }
    VTPropertyController* existingController(int i) const;
    bool hasPerPropertyList() const { return listMade_; }

    // Whether parameter i is of a type that takes a controller and has a range.
    bool canHaveController(int i) const;

    // Whether the table holds anything worth storing in a document.
    bool hasContent() const { return preset_ != nullptr || listMade_; }

    // The table's text for the document's "controllers:" line: the preset controller's text or
    // ". ", then "*" when there is no per-parameter list, else for each parameter its
    // controller's text and a space, or ". ".
    void write(std::ostream& out) const;
    // Replaces the table by the one the text describes. A text that cannot be read (a damaged
    // controller, a controller for a parameter that cannot have one, a text that ends early)
    // marks the stream failed and keeps what was read before the fault.
    void read(std::istream& in);

    // Destroys every controller; the table is empty again.
    void clear();

private:
    VTContraption* contraption_;
    std::unique_ptr<VTPropertyController> preset_;
    bool listMade_ = false;
    std::vector<std::unique_ptr<VTPropertyController>> perProperty_;
};
