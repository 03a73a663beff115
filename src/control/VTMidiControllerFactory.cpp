#include "control/VTMidiControllerFactory.h"

#include "contraptions/VTContraption.h"
#include "contraptions/VTPropControllerTable.h"
#include "control/VTBoolPropController.h"
#include "control/VTDoublePropController.h"
#include "control/VTIntegerPropController.h"
#include "control/VTMidiControlServer.h"
#include "control/VTPresetPropController.h"
#include "control/VTRangePropController.h"

std::unique_ptr<VTPropertyController> VTMidiControllerFactory::createPresetController(
    VTPropControllerTable& table) {
    return std::make_unique<VTPresetPropController>(table, *server_);
}

std::unique_ptr<VTPropertyController> VTMidiControllerFactory::createPropertyController(
    VTPropControllerTable& table, int index) {
    SGPropertyTable& properties = table.contraption().processor().propertyTable();
    if (index < 0 || index >= properties.count()) return nullptr;
    SGProperty& property = properties.property(index);
    const SGPropertyInfo& info = properties.info(index);
    // The class follows the type code; a property object of another class under that code
    // (none exists) gets no controller rather than a wrong one.
    switch (property.typeCode()) {
        case SGProperty::BoolType:
            if (auto* p = dynamic_cast<SGBoolProperty*>(&property))
                return std::make_unique<VTBoolPropController>(table, *server_, index, *p);
            break;
        case SGProperty::IntType:
            if (auto* p = dynamic_cast<SGIntProperty*>(&property))
                return std::make_unique<VTIntegerPropController>(table, *server_, index, *p,
                                                                 info.minimum, info.maximum);
            break;
        case SGProperty::DoubleType:
            if (auto* p = dynamic_cast<SGDoubleProperty*>(&property))
                return std::make_unique<VTDoublePropController>(table, *server_, index, *p,
                                                                info.minimum, info.maximum);
            break;
        case SGProperty::RangeType:
            if (auto* p = dynamic_cast<SGRangeProperty*>(&property))
                return std::make_unique<VTRangePropController>(table, *server_, index, *p,
                                                               static_cast<float>(info.minimum),
                                                               static_cast<float>(info.maximum));
            break;
        default:
            break;
    }
    return nullptr;
}

VTMidiControllerFactory& VTMidiControllerFactory::global() {
    static VTMidiControllerFactory factory(VTMidiControlServer::global());
    return factory;
}

void VTMidiControllerFactory::install() { VTPropertyControllerFactory::install(&global()); }
