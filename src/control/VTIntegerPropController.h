#pragma once

#include <vector>

#include "control/VTControllerPoints.h"
#include "control/VTMidiPropertyController.h"
#include "params/SGIntProperty.h"

class VTStaleControls;

// Sets an integer parameter to trunc(v / 16383 * (max - min) + min), with min and max the
// parameter's range when the controller was made.
class VTIntegerPropController : public VTMidiPropertyController {
public:
    VTIntegerPropController(VTPropControllerTable& table, VTMidiControlServer& server, int index,
                            SGIntProperty& property, double minimum, double maximum);
    ~VTIntegerPropController() override { stopListening(); }

    void sourceValue(int which, int value) override;

    double minimum() const { return minimum_; }
    double maximum() const { return maximum_; }
    std::vector<VTIntegerBreakpoint> automationPoints;

protected:
    void writePoints(std::ostream& out) const override;
    bool readPoints(std::istream& in) override;

private:
    int index_;
    SGIntProperty* property_;
    VTStaleControls* stale_;
    double minimum_;
    double maximum_;
};
