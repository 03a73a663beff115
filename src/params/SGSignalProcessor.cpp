#include "params/SGSignalProcessor.h"

#include "params/SGStaticPropertyTable.h"

SGPropertyTable& SGSignalProcessor::propertyTable() { return SGStaticPropertyTable::empty(); }
