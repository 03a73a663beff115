#include "DialogFixture.h"

namespace vantrel::test {
namespace {

// The main window and its secondary windows come and go together, in either order of use.
TEST_F(DialogTest, TheSecondaryWindowsBelongToTheMainWindowsDocumentAndEngine) {
    EXPECT_EQ(engine->SignalContext(), &doc().Context());
    EXPECT_TRUE(box.messages.empty());
}

}  // namespace
}  // namespace vantrel::test
