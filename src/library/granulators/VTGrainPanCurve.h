#pragma once

#include "dsp/SGTableFunction.h"

// The pan law every grain of the granulators reads: one 1024-entry table over 0 ... 1, filled
// with the pan curve the first time a grain asks for it and shared by all grains from then on.
const SGTableFunction& VTGrainPanCurve();
