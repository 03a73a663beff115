#pragma once

#include "signal/SGSignal.h"

// An unconnected inlet reads the one shared zero block, so comparing addresses tells whether
// anything is wired to it; processors use this to skip the work of silent inlets.
inline bool isConnectedInlet(const SGSignal& inlet) { return &inlet != &SGZeroSignal; }
