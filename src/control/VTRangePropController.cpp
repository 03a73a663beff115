#include "control/VTRangePropController.h"

#include "contraptions/VTContraption.h"
#include "contraptions/VTPropControllerTable.h"

VTRangePropController::VTRangePropController(VTPropControllerTable& table,
                                             VTMidiControlServer& server, int index,
                                             SGRangeProperty& property, float minimum,
                                             float maximum)
    : VTMidiPropertyController(table, server),
      index_(index),
      property_(&property),
      stale_(&table.contraption().staleControls()),
      minimum_(minimum),
      maximum_(maximum),
      width_(server, *this, kWidth) {}

void VTRangePropController::sourceValue(int which, int value) {
    const SGFloatRange now = property_->value();
    const float scaled = static_cast<float>(value) / 16383.0f;
    float centre, half;
    if (which == kWidth) {
        centre = (now.low + now.high) / 2.0f;
        half = scaled * (maximum_ - minimum_);
    } else {
        centre = scaled * (maximum_ - minimum_) + minimum_;
        half = (now.high - now.low) / 2.0f;
    }
    float low = centre - half;
    float high = centre + half;
    if (low < minimum_) low = minimum_;
    if (high > maximum_) high = maximum_;
    property_->setValue(low, high);
    stale_->mark(index_);
}

void VTRangePropController::writePoints(std::ostream& out) const {
    VTControllerPointText::writeList(out, automationPoints);
}

bool VTRangePropController::readPoints(std::istream& in) {
    return VTControllerPointText::readList(in, automationPoints);
}
