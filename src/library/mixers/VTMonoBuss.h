#pragma once

#include "params/SGSignalProcessor.h"

// Sums its connected inlets into its one outlet, without gains and without properties.
class VTMonoBuss : public SGSignalProcessor {
public:
    explicit VTMonoBuss(int channels) : SGSignalProcessor(channels, 1) {}

    void process() override;
};
