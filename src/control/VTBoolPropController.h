#pragma once

#include <vector>

#include "control/VTControllerPoints.h"
#include "control/VTMidiPropertyController.h"
#include "params/SGBoolProperty.h"

class VTStaleControls;

// Sets a boolean parameter: values above 8191 (7-bit values 64 ... 127) give true.
class VTBoolPropController : public VTMidiPropertyController {
public:
    VTBoolPropController(VTPropControllerTable& table, VTMidiControlServer& server, int index,
                         SGBoolProperty& property);
    ~VTBoolPropController() override { stopListening(); }

    void sourceValue(int which, int value) override;

    std::vector<VTBoolTimepoint> automationPoints;

protected:
    void writePoints(std::ostream& out) const override;
    bool readPoints(std::istream& in) override;

private:
    int index_;
    SGBoolProperty* property_;
    VTStaleControls* stale_;
};
