#include "control/VTBoolPropController.h"

#include "contraptions/VTContraption.h"
#include "contraptions/VTPropControllerTable.h"

VTBoolPropController::VTBoolPropController(VTPropControllerTable& table,
                                           VTMidiControlServer& server, int index,
                                           SGBoolProperty& property)
    : VTMidiPropertyController(table, server),
      index_(index),
      property_(&property),
      stale_(&table.contraption().staleControls()) {}

void VTBoolPropController::sourceValue(int, int value) {
    property_->setValue(value > 8191);
    stale_->mark(index_);
}

void VTBoolPropController::writePoints(std::ostream& out) const {
    VTControllerPointText::writeList(out, automationPoints);
}

bool VTBoolPropController::readPoints(std::istream& in) {
    return VTControllerPointText::readList(in, automationPoints);
}
