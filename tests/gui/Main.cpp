#include "GuiFixture.h"

namespace {
const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new vantrel::test::QtTestEnvironment(registerAllMakers));
}
