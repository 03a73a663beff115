#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "document/VTDocumentMessages.h"

namespace vantrel::test {
namespace {

using ReaderMessages = DocumentTest;
namespace M = VTDocumentMessages;

struct HeaderCase {
    const char* label;
    std::string text;
    const char* message;
    const char* caption;
};

TEST_F(ReaderMessages, RefusedHeadersShowTheirMessageAndKeepThePatch) {
    const std::vector<HeaderCase> cases = {
        {"empty file", "", M::kNotADocument, M::kReadErrorCaption},
        {"other word", "hello 0.6\nend\n", M::kNotADocument, M::kReadErrorCaption},
        {"word case", ".VTX 0.6\nend\n", M::kNotADocument, M::kReadErrorCaption},
        {"word without space", ".vtx\nend\n", M::kNotADocument, M::kReadErrorCaption},
        {"older version", ".vtx 0.4\ntempo:\n\t120\nend\n", M::kNotADocument, M::kReadErrorCaption},
        {"binary", std::string("\x00\x01\xff\xfe", 4), M::kNotADocument, M::kReadErrorCaption},
        {"newer version", ".vtx 0.7\nend\n", M::kNewerVersion, M::kReadErrorCaption},
        {"much newer", ".vtx 12\nend\n", M::kNewerVersion, M::kReadErrorCaption},
    };
    add("TestGen");
    doc->SetTempo(99.0);
    for (const HeaderCase& c : cases) {
        SCOPED_TRACE(c.label);
        box.messages.clear();
        bool changed = true;
        EXPECT_FALSE(readText(c.text, &changed));
        EXPECT_FALSE(changed);
        ASSERT_EQ(box.messages.size(), 1u);
        EXPECT_EQ(box.messages[0].text, c.message);
        EXPECT_EQ(box.messages[0].caption, c.caption);
        EXPECT_EQ(box.messages[0].buttons, VTMessageButtons::Ok);
        EXPECT_EQ(box.messages[0].icon, VTMessageIcon::None);
        EXPECT_EQ(names(), std::vector<std::string>{"TestGen_1"});
        EXPECT_NEAR(doc->Tempo(), 99.0, 1e-9);
    }
}

TEST_F(ReaderMessages, AcceptedHeaderSpellings) {
    for (const char* header : {".vtx 0.6", ".vtx 0.60", ".vtx 6e-1", ".vtx 0.6 trailing words",
                               ".vtx 0.6\r", "\xEF\xBB\xBF.vtx 0.6"}) {
        SCOPED_TRACE(header);
        box.messages.clear();
        EXPECT_TRUE(readText(std::string(header) + "\nend\n"));
        EXPECT_TRUE(box.messages.empty());
    }
}

TEST_F(ReaderMessages, AFileThatCannotBeOpened) {
    add("TestGen");
    for (const std::string& path : {file("missing.vtx"), dir.string()}) {
        SCOPED_TRACE(path);
        box.messages.clear();
        bool changed = true;
        EXPECT_FALSE(doc->ReadFile(path, changed));
        EXPECT_FALSE(changed);
        ASSERT_EQ(box.messages.size(), 1u);
        EXPECT_EQ(box.messages[0].text, "An error occurred while opening the document.\n");
        EXPECT_EQ(box.messages[0].caption, "Vantrel");
        EXPECT_EQ(box.messages[0].buttons, VTMessageButtons::Ok);
        EXPECT_EQ(doc->ContraptionCount(), 1);
    }
}

TEST_F(ReaderMessages, AFileThatCannotBeSaved) {
    add("TestGen");
    std::filesystem::create_directory(dir / "taken.vtx");
    writeWholeFile(dir / "taken.vtx" / "inside", "x");
    for (const std::string& path : {file("no/such/dir/p.vtx"), file("taken.vtx"), std::string()}) {
        SCOPED_TRACE(path);
        box.messages.clear();
        EXPECT_FALSE(doc->WriteFile(path));
        ASSERT_EQ(box.messages.size(), 1u);
        EXPECT_EQ(box.messages[0].text, "An error occurred while saving the document.\n");
        EXPECT_EQ(box.messages[0].caption, "Vantrel");
        EXPECT_EQ(box.messages[0].buttons, VTMessageButtons::Ok);
        EXPECT_EQ(box.messages[0].icon, VTMessageIcon::None);
    }
    // Nothing is left behind in the directory that was written to.
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"taken.vtx"});
}

TEST_F(ReaderMessages, ADocumentCutOffBeforeEndKeepsWhatWasRead) {
    bool changed = false;
    EXPECT_FALSE(
        readText(".vtx 0.6\ntempo:\n\t140\ncontraptions:\n"
                 "\tTestGen\tTestGen_1\t{ 0, 440, 1 }\t{ }{ }{ 0 0 F Z Z 0 0 Z Z Z Z  }\t\n",
                 &changed));
    EXPECT_TRUE(changed);
    ASSERT_EQ(box.messages.size(), 1u);
    EXPECT_EQ(box.messages[0].text, "An error occurred while opening the document.\n");
    EXPECT_EQ(names(), std::vector<std::string>{"TestGen_1"});
    EXPECT_NEAR(doc->Tempo(), 140.0, 1e-9);
}

}  // namespace
}  // namespace vantrel::test
