#pragma once

#include "params/SGSignalProcessor.h"

// An auxiliary stereo device output. It computes nothing: after each block the engine reads the
// two signals its inlets received and sends them to the device.
class VTAuxOut : public SGSignalProcessor {
public:
    VTAuxOut() : SGSignalProcessor(2, 0) {}
    void process() override {}
};
