#pragma once

#include <cstdint>
#include <istream>
#include <ostream>

class VTPropControllerTable;

// One controller of a contraption's controller table: it turns the values of a MIDI source into
// parameter values (or, for the preset controller, into preset recalls). The MIDI side lives in
// the control layer, which derives the concrete controllers from this class and builds them
// through the installed VTPropertyControllerFactory; the table only owns them and frames their
// text.
//
// Every controller carries seven values that nothing uses. Documents hold them, so they are
// read and written back unchanged (all but the fifth, which is always written as 0).
class VTPropertyController {
public:
    struct Reserved {
        double first = -1.0;
        double second = -1.0;
        float third = 0.0f;
        std::int32_t fourth = 0;
        std::int32_t sixth = 30;
        std::int32_t seventh = -1;
        bool operator==(const Reserved&) const = default;
    };

    explicit VTPropertyController(VTPropControllerTable& table) : table_(&table) {}
    virtual ~VTPropertyController() = default;
    VTPropertyController(const VTPropertyController&) = delete;
    VTPropertyController& operator=(const VTPropertyController&) = delete;

    VTPropControllerTable& table() const { return *table_; }

    // The controller's text: the reserved values, its sources and its points list, separated by
    // single spaces. A text that does not parse marks the stream failed; what was read before
    // the fault is kept.
    virtual void readController(std::istream& in) = 0;
    virtual void writeController(std::ostream& out) const = 0;

    const Reserved& reserved() const { return reserved_; }

protected:
    // "-1 -1 0 { } 0 0 30 -1 " for a new controller.
    void writeReserved(std::ostream& out) const;
    // False (and the stream failed) when the values do not parse; nothing is kept then.
    bool readReserved(std::istream& in);

private:
    VTPropControllerTable* table_;
    Reserved reserved_;
};
