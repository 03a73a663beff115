#include "contraptions/VTPropertyControllerFactory.h"

namespace {
VTPropertyControllerFactory* installed = nullptr;
}

void VTPropertyControllerFactory::install(VTPropertyControllerFactory* factory) {
    installed = factory;
}

VTPropertyControllerFactory* VTPropertyControllerFactory::current() { return installed; }
