#pragma once

#include "params/SGSignalProcessor.h"

// An auxiliary stereo device input. It computes nothing: the engine writes the device samples
// into its two outlets before each block runs.
class VTAuxIn : public SGSignalProcessor {
public:
    VTAuxIn() : SGSignalProcessor(0, 2) {}
    void process() override {}
};
