#include "app/dialogs/modulation/VTMappedParameter.h"

#include <sstream>

#include "contraptions/VTContraption.h"
#include "control/VTMidiPropertyController.h"
#include "document/VTDocument.h"
#include "params/SGProperty.h"
#include "params/SGPropertyUnits.h"

namespace {

std::string formatted(const SGPropertyUnits* units, double value) {
    if (units) return units->format(value);
    std::ostringstream out;
    out << value;
    return out.str();
}

}  // namespace

bool VTMappedParameter::isListed(const VTContraption& contraption, int index) {
    return index == kPresetNumber || contraption.controllers().canHaveController(index);
}

bool VTMappedParameter::isRange() const {
    if (isPresetNumber()) return false;
    SGPropertyTable& table = contraption_->processor().propertyTable();
    return index_ < table.count() && table.property(index_).typeCode() == SGProperty::RangeType;
}

std::string VTMappedParameter::name() const {
    if (isPresetNumber()) return "Preset Number";
    return contraption_->processor().propertyTable().info(index_).name;
}

std::string VTMappedParameter::qualifiedName() const { return contraption_->name() + "." + name(); }

std::string VTMappedParameter::rangeText() const {
    if (isPresetNumber()) return "1 - 20";
    const SGPropertyInfo& info = contraption_->processor().propertyTable().info(index_);
    return formatted(info.units, info.minimum) + " - " + formatted(info.units, info.maximum);
}

VTPropertyController* VTMappedParameter::controller() const {
    VTPropControllerTable& table = contraption_->controllers();
    return isPresetNumber() ? table.presetController() : table.controllerFor(index_);
}

VTMidiControlClient* VTMappedParameter::source(int which) const {
    VTMidiPropertyController* midi = VTMidiPropertyController::from(controller());
    if (!midi) return nullptr;
    return which == 0 ? &midi->primarySource() : midi->secondarySource();
}

bool VTMappedParameter::isLiveIn(const VTDocument* document) const {
    if (!document) return false;
    for (int i = 0; i < document->ContraptionCount(); ++i)
        if (document->ContraptionAt(i) == contraption_) return true;
    return false;
}
