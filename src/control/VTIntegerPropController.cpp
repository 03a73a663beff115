#include "control/VTIntegerPropController.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "contraptions/VTContraption.h"
#include "contraptions/VTPropControllerTable.h"

VTIntegerPropController::VTIntegerPropController(VTPropControllerTable& table,
                                                 VTMidiControlServer& server, int index,
                                                 SGIntProperty& property, double minimum,
                                                 double maximum)
    : VTMidiPropertyController(table, server),
      index_(index),
      property_(&property),
      stale_(&table.contraption().staleControls()),
      minimum_(minimum),
      maximum_(maximum) {}

void VTIntegerPropController::sourceValue(int, int value) {
    const double mapped = std::trunc(value / 16383.0 * (maximum_ - minimum_) + minimum_);
    // Only a range beyond the int type could map outside it; such values stop at its ends.
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    const double clamped = mapped >= lowest ? (mapped > highest ? highest : mapped) : lowest;
    property_->setValue(static_cast<std::int32_t>(clamped));
    stale_->mark(index_);
}

void VTIntegerPropController::writePoints(std::ostream& out) const {
    VTControllerPointText::writeList(out, automationPoints);
}

bool VTIntegerPropController::readPoints(std::istream& in) {
    return VTControllerPointText::readList(in, automationPoints);
}
