#include "control/VTDoublePropController.h"

#include "contraptions/VTContraption.h"
#include "contraptions/VTPropControllerTable.h"

VTDoublePropController::VTDoublePropController(VTPropControllerTable& table,
                                               VTMidiControlServer& server, int index,
                                               SGDoubleProperty& property, double minimum,
                                               double maximum)
    : VTMidiPropertyController(table, server),
      index_(index),
      property_(&property),
      stale_(&table.contraption().staleControls()),
      minimum_(minimum),
      maximum_(maximum) {}

void VTDoublePropController::sourceValue(int, int value) {
    property_->setValue(value / 16383.0 * (maximum_ - minimum_) + minimum_);
    stale_->mark(index_);
}

void VTDoublePropController::writePoints(std::ostream& out) const {
    VTControllerPointText::writeList(out, automationPoints);
}

bool VTDoublePropController::readPoints(std::istream& in) {
    return VTControllerPointText::readList(in, automationPoints);
}
