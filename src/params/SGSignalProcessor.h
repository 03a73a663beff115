#pragma once

#include <istream>
#include <ostream>

#include "params/SGPropertyTable.h"
#include "signal/SGDynSigPipe.h"

// The base of every DSP unit: a pipe that also exposes typed, named parameters through its
// property table. Processors are built with no context; the document moves them into its
// signal context afterwards.
class SGSignalProcessor : public SGDynSigPipe {
public:
    SGSignalProcessor(int inletCount, int outletCount) : SGDynSigPipe(nullptr, inletCount, outletCount) {}

    // The processor's table; by default a shared table without properties.
    virtual SGPropertyTable& propertyTable();
    virtual void readProperties(std::istream& in) { propertyTable().read(in); }
    virtual void writeProperties(std::ostream& out) { propertyTable().write(out); }
};
