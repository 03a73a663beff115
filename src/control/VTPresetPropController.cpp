#include "control/VTPresetPropController.h"

#include "contraptions/VTContraption.h"
#include "contraptions/VTPropControllerTable.h"

void VTPresetPropController::sourceValue(int, int value) {
    if (value < 0 || value >= kValueLimit) return;
    table().contraption().recallStoredPreset(value / 128);
}

void VTPresetPropController::writePoints(std::ostream& out) const {
    VTControllerPointText::writeList(out, automationPoints);
}

bool VTPresetPropController::readPoints(std::istream& in) {
    return VTControllerPointText::readList(in, automationPoints);
}
