#pragma once

#include "params/SGSignalProcessor.h"

// Sums stereo pairs of inlets (2k left, 2k + 1 right) into a left and a right outlet. A pair
// with only one side connected plays that side on both outlets.
class VTStereoBuss : public SGSignalProcessor {
public:
    explicit VTStereoBuss(int channels) : SGSignalProcessor(2 * channels, 2) {}

    void process() override;
};
