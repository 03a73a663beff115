#include "platform/VTMessageBox.h"

#include <gtest/gtest.h>

#include "support/RecordingMessageBox.h"

// Without a box the command line must never be taken as agreeing to destroy or overwrite.
TEST(VTMessageBox, WithoutABoxMessagesGoToStandardErrorAndQuestionsAreDeclined) {
    VTMessageBox::setCurrent(nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(VTMessageBox::show("An error occurred.\n", "Vantrel"), VTMessageAnswer::Ok);
    EXPECT_EQ(VTMessageBox::show("Save?", "Vantrel", VTMessageButtons::YesNo), VTMessageAnswer::No);
    EXPECT_EQ(VTMessageBox::show("There is not\rroom.", "Full", VTMessageButtons::YesNoCancel),
              VTMessageAnswer::Cancel);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Vantrel: An error occurred.\nVantrel: Save?\nFull: There is not\nroom.\n");
}

TEST(VTMessageBox, AnInstalledBoxSeesTheExactTextAndAnswers) {
    vantrel::test::RecordingMessageBox box;
    box.answers.push_back(VTMessageAnswer::Yes);
    EXPECT_EQ(VTMessageBox::show("Sure?\n", "Vantrel", VTMessageButtons::YesNo,
                                 VTMessageIcon::Warning),
              VTMessageAnswer::Yes);
    ASSERT_EQ(box.messages.size(), 1u);
    EXPECT_EQ(box.messages[0].text, "Sure?\n");
    EXPECT_EQ(box.messages[0].icon, VTMessageIcon::Warning);
}
