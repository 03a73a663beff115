#pragma once

class VTContraption;

// The MIDI and modulation controllers of one contraption's parameters. A contraption owns one
// from construction to destruction; the controllers themselves are created on first use, so a
// new table is empty.
class VTPropControllerTable {
public:
    explicit VTPropControllerTable(VTContraption& contraption) : contraption_(&contraption) {}
    virtual ~VTPropControllerTable() = default;
    VTPropControllerTable(const VTPropControllerTable&) = delete;
    VTPropControllerTable& operator=(const VTPropControllerTable&) = delete;

    VTContraption& contraption() const { return *contraption_; }
    // Whether the table holds anything worth storing in a document.
    virtual bool hasContent() const { return false; }

private:
    VTContraption* contraption_;
};
