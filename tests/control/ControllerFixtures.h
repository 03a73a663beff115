#pragma once

#include <memory>
#include <sstream>
#include <string>

#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionMakerTemplate.h"
#include "control/VTMidiControlServer.h"
#include "control/VTMidiControllerFactory.h"
#include "control/VTMidiPropertyController.h"
#include "params/SGBoolProperty.h"
#include "params/SGCStringProperty.h"
#include "params/SGDoubleProperty.h"
#include "params/SGIntProperty.h"
#include "params/SGPropertyUnits.h"
#include "params/SGRangeProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"

namespace vantrel::test {

// One parameter of every kind a controller can follow, and two that none can.
class MappedParams : public SGSignalProcessor {
public:
    enum { kSwitch, kSteps, kCutoff, kBand, kFixed, kName, kCount };

    MappedParams() : SGSignalProcessor(0, 1) {}
    SGPropertyTable& propertyTable() override {
        static SGStaticPropertyTable::ClassInfo info;
        info.buildOnce([this](auto& add) {
            const SGPropertyUnits* units = SGAbstractUnits::instance();
            add(table, on, "Switch", units, 0.0, 1.0);
            add(table, steps, "Steps", units, 0.0, 127.0);
            add(table, cutoff, "Cutoff", units, 10.0, 22000.0);
            add(table, band, "Band", units, 0.0, 1.0);
            add(table, fixed, "Fixed", units, 3.0, 3.0);
            add(table, name, "Name", units, 0.0, 1.0);
        });
        return table.bind(info);
    }
    void process() override {}

    SGBoolProperty on{false};
    SGIntProperty steps{0};
    SGDoubleProperty cutoff{1000.0};
    SGRangeProperty band{0.2f, 0.4f};
    SGDoubleProperty fixed{3.0};
    SGCStringProperty name{"x"};
    SGStaticPropertyTable table;
};

using MappedMaker = VTContraptionMakerTemplate<MappedParams>;

// A contraption whose controllers listen to a server of the test's own.
struct ControllerFixture {
    ControllerFixture() { VTPropertyControllerFactory::install(&factory); }
    ~ControllerFixture() {
        contraption.reset();
        VTPropertyControllerFactory::install(nullptr);
    }

    MappedParams& params() { return static_cast<MappedParams&>(contraption->processor()); }
    VTPropControllerTable& table() { return contraption->controllers(); }
    VTMidiPropertyController& controller(int i) {
        return *VTMidiPropertyController::from(table().controllerFor(i));
    }
    VTMidiPropertyController& presetController() {
        return *VTMidiPropertyController::from(table().presetController());
    }
    std::string tableText() {
        std::ostringstream out;
        table().write(out);
        return out.str();
    }

    VTMidiControlServer server;
    VTMidiControllerFactory factory{server};
    MappedMaker maker{"Mapped", "Effects", 1};
    std::unique_ptr<VTContraption> contraption = maker.create({});
};

}  // namespace vantrel::test
