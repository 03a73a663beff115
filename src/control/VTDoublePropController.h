#pragma once

#include <vector>

#include "control/VTControllerPoints.h"
#include "control/VTMidiPropertyController.h"
#include "params/SGDoubleProperty.h"

class VTStaleControls;

// Sets a double parameter to v / 16383 * (max - min) + min, with min and max the parameter's
// range when the controller was made.
class VTDoublePropController : public VTMidiPropertyController {
public:
    VTDoublePropController(VTPropControllerTable& table, VTMidiControlServer& server, int index,
                           SGDoubleProperty& property, double minimum, double maximum);
    ~VTDoublePropController() override { stopListening(); }

    void sourceValue(int which, int value) override;

    double minimum() const { return minimum_; }
    double maximum() const { return maximum_; }
    std::vector<VTDoubleBreakpoint> automationPoints;

protected:
    void writePoints(std::ostream& out) const override;
    bool readPoints(std::istream& in) override;

private:
    int index_;
    SGDoubleProperty* property_;
    VTStaleControls* stale_;
    double minimum_;
    double maximum_;
};
