#include "../support/QtTestEnvironment.h"
#include "makers/VTMakerTable.h"

namespace {
const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new vantrel::test::QtTestEnvironment(registerAllMakers));
}
