#pragma once

#include <vector>

#include "control/VTControllerPoints.h"
#include "control/VTMidiPropertyController.h"

// Recalls the contraption's presets by MIDI: a value v below 2560 names slot v div 128 (so a
// program change n names slot n), which is recalled when it holds a preset. The editor window is
// not refreshed.
class VTPresetPropController : public VTMidiPropertyController {
public:
    static constexpr int kValueLimit = 2560;

    VTPresetPropController(VTPropControllerTable& table, VTMidiControlServer& server)
        : VTMidiPropertyController(table, server) {}
    ~VTPresetPropController() override { stopListening(); }

    void sourceValue(int which, int value) override;

    std::vector<VTPresetTimepoint> automationPoints;

protected:
    void writePoints(std::ostream& out) const override;
    bool readPoints(std::istream& in) override;
};
