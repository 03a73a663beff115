#pragma once

#include <vector>

#include "control/VTControllerPoints.h"
#include "control/VTMidiPropertyController.h"
#include "params/SGRangeProperty.h"

class VTStaleControls;

// Moves a range parameter with two sources, in single precision, min and max being the
// parameter's range when the controller was made:
//   centre (the primary source): the range keeps its width and is centred on
//     v / 16383 * (max - min) + min;
//   width (the secondary source): the range keeps its centre and reaches
//     v / 16383 * (max - min) to either side.
// Either end is clamped to min and max.
class VTRangePropController : public VTMidiPropertyController {
public:
    static constexpr int kCentre = 0;
    static constexpr int kWidth = 1;

    VTRangePropController(VTPropControllerTable& table, VTMidiControlServer& server, int index,
                          SGRangeProperty& property, float minimum, float maximum);
    ~VTRangePropController() override { stopListening(); }

    VTMidiControlClient* secondarySource() override { return &width_; }
    void sourceValue(int which, int value) override;

    float minimum() const { return minimum_; }
    float maximum() const { return maximum_; }
    std::vector<VTRangeBreakpoint> automationPoints;

protected:
    void writePoints(std::ostream& out) const override;
    bool readPoints(std::istream& in) override;

private:
    int index_;
    SGRangeProperty* property_;
    VTStaleControls* stale_;
    float minimum_;
    float maximum_;
    VTControllerSource width_;
};
